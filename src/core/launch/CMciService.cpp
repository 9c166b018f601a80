#include "launch/CMciService.h"

#include "platform/Format.h"
#include "platform/LinuxDriveBackend.h"

#include <cstring>

namespace {

const std::string kOpenPrefix = "open ";
const std::string kOpenSuffix = " type cdaudio alias Drive";

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

const char* BaseText(int code)
{
    switch (code) {
    case CMciService::kErrInvalidDeviceId:
        return "指定されたデバイスは開かれていません。";
    case CMciService::kErrUnrecognizedCommand:
        return "指定されたコマンドは認識できません。";
    case CMciService::kErrHardware:
        return "ドライブでハードウェア エラーが発生しました。";
    case CMciService::kErrInvalidDeviceName:
        return "指定されたデバイス名は正しくありません。";
    case CMciService::kErrDuplicateAlias:
        return "指定されたエイリアスは既に使われています。";
    case CMciService::kErrCannotOpen:
        return "ドライブを開くことができません。";
    case CMciService::kErrUnsupportedFunction:
        return "ドライブはこの機能をサポートしていません。";
    case CMciService::kErrDeviceNotReady:
        return "ドライブの準備ができていません。";
    case CMciService::kErrDriver:
        return "ドライブのドライバでエラーが発生しました。";
    case CMciService::kErrDeviceBusy:
        return "ドライブは使用中です。";
    default:
        return nullptr;
    }
}

}  // namespace

CMciService::CMciService(IDriveBackend& backend) : m_backend(backend) {}

CMciService::~CMciService()
{
    if (m_bOpen)
        m_backend.Close();
}

int CMciService::CodeFor(DriveResult::Kind kind)
{
    switch (kind) {
    case DriveResult::kOk:
        return kOk;
    case DriveResult::kNoDevice:
        return kErrInvalidDeviceName;
    case DriveResult::kCannotOpen:
        return kErrCannotOpen;
    case DriveResult::kUnsupported:
        return kErrUnsupportedFunction;
    case DriveResult::kNotReady:
        return kErrDeviceNotReady;
    case DriveResult::kBusy:
        return kErrDeviceBusy;
    case DriveResult::kHardware:
        return kErrHardware;
    case DriveResult::kNotOpen:
        return kErrInvalidDeviceId;
    case DriveResult::kFailed:
        break;
    }
    return kErrDriver;
}

int CMciService::Fail(const DriveResult& result)
{
    m_nLastCode = CodeFor(result.kind);
    m_nLastSysError = result.sysError;
    return m_nLastCode;
}

int CMciService::Send(const std::string& command, std::string& answer)
{
    answer.clear();
    m_nLastCode = kOk;
    m_nLastSysError = 0;
    m_szLastDevice = m_szDevice;
    if (StartsWith(command, kOpenPrefix) && EndsWith(command, kOpenSuffix)
        && command.size() >= kOpenPrefix.size() + kOpenSuffix.size())
        return OpenCommand(command.substr(kOpenPrefix.size(),
                                          command.size() - kOpenPrefix.size() - kOpenSuffix.size()));

    bool known = command == "set Drive door open" || command == "set Drive door closed wait"
                 || command == "status Drive media present wait" || command == "status Drive ready wait"
                 || command == "close Drive";
    if (!known)
        return m_nLastCode = kErrUnrecognizedCommand;
    if (!m_bOpen)
        return m_nLastCode = kErrInvalidDeviceId;

    if (command == "close Drive") {
        m_backend.Close();
        m_bOpen = false;
        m_szDevice.clear();
        return kOk;
    }
    if (command == "set Drive door open")
        return Fail(m_backend.OpenTray());
    if (command == "set Drive door closed wait")
        return Fail(m_backend.CloseTray());
    if (command == "status Drive media present wait")
        return Query(&IDriveBackend::MediaPresent, answer);
    return Query(&IDriveBackend::Ready, answer);
}

int CMciService::OpenCommand(const std::string& device)
{
    m_szLastDevice = device;
    if (m_bOpen)
        return m_nLastCode = kErrDuplicateAlias;
    DriveResult result = m_backend.Open(device);
    if (result.Ok()) {
        m_bOpen = true;
        m_szDevice = device;
    }
    return Fail(result);
}

int CMciService::Query(DriveResult (IDriveBackend::*query)(bool&), std::string& answer)
{
    bool yes = false;
    DriveResult result = (m_backend.*query)(yes);
    if (result.Ok())
        answer = yes ? "true" : "false";
    return Fail(result);
}

std::string CMciService::ErrorText(int code) const
{
    const char* base = BaseText(code);
    if (!base)
        return Format("不明なエラーです。(%d)", code);
    std::string text = base;
    if (code == m_nLastCode && m_nLastSysError != 0) {
        const char* reason = std::strerror(m_nLastSysError);
        if (m_szLastDevice.empty())
            text += Format("\n%s", reason);
        else
            text += Format("\n%s: %s", m_szLastDevice.c_str(), reason);
    }
    return text;
}

template <>
IMciService& Seam<IMciService>::Fallback()
{
    static LinuxDriveBackend backend;
    static CMciService machine(backend);
    return machine;
}
