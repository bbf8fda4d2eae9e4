#pragma once

#include "platform/settingsstore.h"

// Section "Main", owned by MainFormCore: the four switches (check-box states "0"/"1") in the
// order of MainFormCore::Switch, and the two debug keys, which the program reads at start-up
// and never writes.
namespace MainKeys {
inline constexpr SettingKey SendIMFlag{"Main", "SendIMFlag", "0"};
inline constexpr SettingKey SendMailFlag{"Main", "SendMailFlag", "0"};
inline constexpr SettingKey CallbackAnounceFlag{"Main", "CallbackAnounceFlag", "0"};
inline constexpr SettingKey AutoAnswerFlag{"Main", "AutoAnswerFlag", "0"};
inline constexpr SettingKey LogLevel{"Main", "LogLevel", "0"};
inline constexpr SettingKey DebugMode{"Main", "DebugMode", "Off"};

inline constexpr SettingKey switches[] = {SendIMFlag, SendMailFlag, CallbackAnounceFlag,
                                          AutoAnswerFlag};
inline constexpr SettingKey all[] = {SendIMFlag,     SendMailFlag, CallbackAnounceFlag,
                                     AutoAnswerFlag, LogLevel,     DebugMode};
} // namespace MainKeys
