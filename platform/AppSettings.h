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

    // One file for reading and writing.
    void SetFilePath(const std::string& path) { m_path = m_writePath = path; }
    // The file the settings are read from.
    const std::string& GetFilePath() const { return m_path; }
    // The file the settings are written to.
    const std::string& GetWritePath() const { return m_writePath; }

    // Chooses the files for a program in programDir (ending in '/'): the
    // file beside the program when that folder can be written (and the
    // file, when it is there); otherwise writes go to the user's copy
    // (ChooseSettingsFilePath), which is read once it exists, and until then
    // the file beside the program is read, as an administrator left it.
    void ChooseFiles(const std::string& programDir);

    // Reads the four settings from the file (defaults where missing).
    void Load();

    // Replaces section by the single line "key=value". False when the file
    // cannot be written (nothing else happens then). The first write to the
    // user's copy starts it as a copy of the file read so far, so that the
    // other settings found there are kept; from then on it is read.
    bool WriteIniInt(const std::string& section, const std::string& key, int value);

private:
    std::string m_path;
    std::string m_writePath;
};

// The settings of this run.
CAppSettings& AppSettings();

// The folder of the running program, ending in '/'.
std::string GetModuleDirectory();

// Where the settings file is written: in programDir (the folder of the
// program, ending in '/') when that folder can be written (and the file
// there, when it exists), else in the user's configuration folder
// ($XDG_CONFIG_HOME, or ~/.config), so that an installed program keeps its
// settings from one start to the next.
std::string ChooseSettingsFilePath(const std::string& programDir);
