#pragma once

#include "platform/IWineInstall.h"

#include <string>

// Stands in for the installed Wine: its loader ("" for none) and whether it runs 32-bit
// programs. Installs itself while it lives.
class FakeWineInstall final : public IWineInstall {
public:
    explicit FakeWineInstall(std::string loaderPath = {}, bool with32Bit = true)
        : loader(std::move(loaderPath)), runs32Bit(with32Bit)
    {
    }
    std::string Loader() override { return loader; }
    bool Runs32Bit() override { return runs32Bit; }

    std::string loader;
    bool runs32Bit;

private:
    WineInstall::Override m_install{*this};
};
