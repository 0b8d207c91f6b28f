#include "model/FileErrorText.h"

namespace hv {

std::string FileErrorText(FileError error, const std::string& path) {
    const std::string name = "\"" + path + '"';
    switch (error) {
        case FileError::NotFound:
            return "Die Datei " + name + " wurde nicht gefunden.";
        case FileError::PathNotFound:
            return "Der Ordner der Datei " + name + " wurde nicht gefunden.";
        case FileError::AccessDenied:
            return "Der Zugriff auf die Datei " + name + " wurde verweigert.";
        case FileError::SharingViolation:
            return "Die Datei " + name + " wird von einem anderen Programm verwendet.";
        case FileError::DiskFull:
            return "Die Datei " + name + " konnte nicht vollständig geschrieben werden: Der Datenträger ist voll.";
        case FileError::BadSeek:
            return "Beim Positionieren in der Datei " + name + " ist ein Fehler aufgetreten.";
        case FileError::InvalidPath:
            return "Der Dateiname " + name + " ist ungültig.";
        case FileError::None:
        case FileError::Generic:
            break;
    }
    return "Beim Zugriff auf die Datei " + name + " ist ein unbekannter Fehler aufgetreten.";
}

}  // namespace hv
