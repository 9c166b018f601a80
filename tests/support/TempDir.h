#pragma once

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>

// A fresh folder under the system's temporary folder, removed with its content.
class TempDir {
public:
    TempDir()
    {
        std::string tmpl = (std::filesystem::temp_directory_path() / "zarn2-test-XXXXXX").string();
        if (char* made = ::mkdtemp(tmpl.data()))
            m_path = made;
    }
    ~TempDir()
    {
        namespace fs = std::filesystem;
        std::error_code ec;
        if (fs::remove_all(m_path, ec) != static_cast<std::uintmax_t>(-1))
            return;
        // A folder a test made read-only (which only a normal user notices) is opened first,
        // each before the walk enters it.
        fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
        for (auto it = fs::recursive_directory_iterator(m_path, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec))
            if (it->is_directory(ec) && !it->is_symlink(ec))
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

    static std::string ReadBytes(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void WriteBytes(const std::string& path, const std::string& bytes)
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    // Writes `bytes` over the file in place (the same inode) and gives it back its times, as
    // a rewrite within one tick of a coarse file system clock leaves it.
    static void RewriteWithinOneTick(const std::string& path, const std::string& bytes)
    {
        struct stat st{};
        ::stat(path.c_str(), &st);
        WriteBytes(path, bytes);
        const timespec times[2] = {st.st_atim, st.st_mtim};
        ::utimensat(AT_FDCWD, path.c_str(), times, 0);
    }

private:
    std::string m_path;
};
