// Every test process keeps its settings, recent files, caches and temporary
// files in a folder of its own, so that test processes running side by side
// never see each other's: before anything else runs, the home, the XDG
// folders and the temporary folder are pointed into a fresh folder
// "kadrel-test-<pid>-XXXXXX", which is removed when the process ends.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <system_error>

namespace {

class CProcessFolder {
public:
    CProcessFolder() : m_owner(::getpid())
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string tmpl = std::string(tmp && *tmp == '/' ? tmp : "/tmp") + "/kadrel-test-" +
                           std::to_string(m_owner) + "-XXXXXX";
        if (!::mkdtemp(tmpl.data())) {
            std::perror(tmpl.c_str());
            std::abort();
        }
        m_path = tmpl;
        // Others may pass through: some tests drop to another user.
        ::chmod(m_path.c_str(), 0755);
        Point("HOME", "");
        Point("XDG_CONFIG_HOME", "/config");
        Point("XDG_DATA_HOME", "/data");
        Point("XDG_CACHE_HOME", "/cache");
        Point("TMPDIR", "/tmp");
        Point("XDG_RUNTIME_DIR", "/runtime");
        ::chmod((m_path + "/runtime").c_str(), 0700);
    }
    ~CProcessFolder()
    {
        // A forked child that ends normally leaves its parent's folder.
        if (::getpid() != m_owner)
            return;
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }

private:
    void Point(const char* variable, const char* sub)
    {
        const std::string dir = m_path + sub;
        ::mkdir(dir.c_str(), 0755);
        ::setenv(variable, dir.c_str(), 1);
    }

    pid_t m_owner;
    std::string m_path;
};

// Made before the other static objects of the program, which may already
// ask for these folders (and Qt keeps what it was told first).
__attribute__((init_priority(101))) CProcessFolder g_processFolder;

}  // namespace
