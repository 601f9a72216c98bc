#pragma once

#include <QString>

#include <optional>

// The folder of the shipped calibration files: beside the program, else in the install layout
// relative to the program, else at the configured install path.
QString shippedDataFolder();

// What decides where the device properties file is kept.
struct SettingsFolderInputs {
    QString variable;      // HALVANE_SETTINGS_FOLDER, empty when unset
    QString currentFolder; // the folder the program was started in
    QString configHome;    // XDG_CONFIG_HOME, empty when unset
    QString home;          // the user's home folder
};

// The value of HALVANE_SETTINGS_FOLDER that asks for the user's configuration folder.
inline constexpr const char* SettingsFolderXdg = "xdg";

// Unset or empty: the current folder. "xdg": $XDG_CONFIG_HOME/halvane, where a missing or
// relative XDG_CONFIG_HOME means ~/.config. Any other value: that folder, relative to the current
// one. Always an absolute, clean path.
QString settingsFolder(const SettingsFolderInputs& inputs);

// The same from the command line's choice, else HALVANE_SETTINGS_FOLDER, and the process
// environment; the folder is created when missing.
QString settingsFolder(const std::optional<QString>& option = std::nullopt);
