#include "mcilib.h"

#include "platform/sound.h"

QString MCILib::errorText(int status) {
    switch (status) {
    case MciError::None:
        return QStringLiteral("The specified command was carried out.");
    case MciError::UnrecognizedKeyword:
        return QStringLiteral("The driver cannot recognize the specified command parameter.");
    case MciError::UnrecognizedCommand:
        return QStringLiteral("The driver cannot recognize the specified command.");
    case MciError::Hardware:
        return QStringLiteral("No sound device is available: the sound server cannot be "
                              "reached or stopped working.");
    case MciError::InvalidDeviceName:
        return QStringLiteral("The specified device is not open or is not recognized by MCI.");
    case MciError::MissingDeviceName:
        return QStringLiteral("No device name was given with the command.");
    case MciError::UnsupportedFunction:
        return QStringLiteral("The MCI device does not support the specified command.");
    case MciError::FileNotFound:
        return QStringLiteral("Cannot find the specified file. Make sure the path and "
                              "filename are correct.");
    case MciError::FileNotSaved:
        return QStringLiteral("The file was not saved. Make sure the folder exists, is "
                              "writable and has enough free space.");
    case MciError::DuplicateAlias:
        return QStringLiteral("The specified alias is already being used in this "
                              "application. Use a unique alias.");
    case MciError::NoClosingQuote:
        return QStringLiteral("A closing double-quotation mark is missing.");
    case MciError::InvalidFile:
        return QStringLiteral("The specified file cannot be played: it may be corrupt or "
                              "not in a sound format that can be read.");
    case MciError::NewRequiresAlias:
        return QStringLiteral("An alias must be used with the \"new\" device name.");
    case MciError::FilenameRequired:
        return QStringLiteral("A valid filename is required.");
    default:
        return QStringLiteral("Unknown MCI error %1.").arg(status);
    }
}
