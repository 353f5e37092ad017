#include "platform/AppSettings.h"

#include "platform/FileIO.h"
#include "platform/Numbers.h"
#include "platform/ProfileFile.h"

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <system_error>

void CAppSettings::Load()
{
    m_nLengthUnit = ProfileFile::GetPrivateProfileInt("LENGTH_UNIT", "LengthUnit", 0, m_path);
    m_bAppFirstTime = ProfileFile::GetPrivateProfileInt("IS_APP_FIRST_TIME", "IsAppFirstTime", 1, m_path);
    m_nDeveloperID = ProfileFile::GetPrivateProfileInt("DEVELOPER_ID", "DeveloperID", 0, m_path);
    m_nSpecialUserLevel = ProfileFile::GetPrivateProfileInt("SPECIALUSERLEVEL", "SpecialUserLevel", 0, m_path);
}

void CAppSettings::ChooseFiles(const std::string& programDir)
{
    std::string beside = programDir;
    if (!beside.empty() && beside.back() != '/')
        beside += '/';
    beside += kFileName;
    m_writePath = ChooseSettingsFilePath(programDir);
    m_path = (m_writePath != beside && !FileIO::FileExists(m_writePath) && FileIO::FileExists(beside)) ? beside
                                                                                                      : m_writePath;
}

bool CAppSettings::WriteIniInt(const std::string& section, const std::string& key, int value)
{
    if (m_writePath.empty())
        return false;
    if (m_writePath != m_path && !FileIO::FileExists(m_writePath) && FileIO::FileExists(m_path)) {
        try {
            FileIO::WriteFileSafely(m_writePath, FileIO::ReadWholeFile(m_path));
        } catch (const std::exception&) {
            return false;
        }
    }
    if (!ProfileFile::WritePrivateProfileSection(section, Numbers::Format("%s=%d", key.c_str(), value), m_writePath))
        return false;
    m_path = m_writePath;
    return true;
}

CAppSettings& AppSettings()
{
    static CAppSettings settings;
    return settings;
}

std::string GetModuleDirectory()
{
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty())
        return "./";
    std::string dir = exe.parent_path().string();
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

std::string ChooseSettingsFilePath(const std::string& programDir)
{
    std::string dir = programDir;
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    if (!dir.empty() && FileIO::CanReplaceFile(dir + CAppSettings::kFileName))
        return dir + CAppSettings::kFileName;

    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/')
        config = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        config = std::string(home) + "/.config";
    else
        return dir + CAppSettings::kFileName;  // nowhere better: the write fails and the next start asks again
    std::error_code ec;
    std::filesystem::create_directories(config, ec);
    return config + "/" + CAppSettings::kFileName;
}
