#pragma once
// The application's four settings from its settings file "ZAV_KDR.ini",
// each key in a section of its own, and the one-entry section writes that
// start-up and the Room Parameters command make.

#include <string>

class CAppSettings {
public:
    static constexpr const char* kFileName = "ZAV_KDR.ini";

    // 1: the LV-3 arrangement offers its three extra splay modes.
    int m_nSpecialUserLevel = 0;
    // 1: the speaker list's pop-up menu is menu 146 with "Export zx1...".
    int m_nDeveloperID = 0;
    // 1: the Initial Settings dialog is shown at this start.
    int m_bAppFirstTime = 1;
    // Application length unit: 0 metres, 1 feet.
    int m_nLengthUnit = 0;

    void SetFilePath(const std::string& path) { m_path = path; }
    const std::string& GetFilePath() const { return m_path; }

    // Reads the four settings from the file (defaults where missing).
    void Load();

    // Replaces section by the single line "key=value". False when the file
    // cannot be written (nothing else happens then).
    bool WriteIniInt(const std::string& section, const std::string& key, int value) const;

private:
    std::string m_path;
};

// The settings of this run.
CAppSettings& AppSettings();

// The folder of the running program, ending in '/'.
std::string GetModuleDirectory();

// Where the settings file lives: in programDir (the folder of the program,
// ending in '/') when that folder can be written, else in the user's
// configuration folder ($XDG_CONFIG_HOME, or ~/.config), so that an
// installed program keeps its settings from one start to the next.
std::string ChooseSettingsFilePath(const std::string& programDir);
