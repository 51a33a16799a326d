#include "framework/save_file.h"

#include <utility>

#include "framework/archive.h"
#include "framework/paths.h"

namespace fw {

std::string temporaryName(const std::string& name) {
    return nameBeside(name, kSaveSuffix, '~');
}

ReplacingFile::ReplacingFile(std::string name)
    : name_(std::move(name)), temporary_(temporaryName(name_)) {
    try {
        file_.open(temporary_, FileMode::createWrite);
    } catch (const FileError& error) {
        throw named(error);
    }
}

ReplacingFile::~ReplacingFile() {
    if (committed_) {
        return;
    }
    if (file_.isOpen()) {
        try {
            file_.close();
        } catch (const FileError&) {
            // The file goes anyway; the error that brought us here is the one to report.
        }
    }
    deleteFile(temporary_);
}

void ReplacingFile::close() {
    try {
        file_.close();
    } catch (const FileError& error) {
        throw named(error);
    }
}

void ReplacingFile::commit() {
    if (file_.isOpen()) {
        close();
    }
    try {
        replaceFile(temporary_, name_);
    } catch (const FileError& error) {
        // The file was written: it is named by its full path, as after its open.
        throw FileError(error.cause(), fullPath(name_), error.osError());
    }
    committed_ = true;
}

FileError ReplacingFile::named(const FileError& error) const {
    if (error.fileName() == temporary_) {
        return FileError(error.cause(), name_, error.osError());
    }
    if (error.fileName() == file_.path()) {
        return FileError(error.cause(), fullPath(name_), error.osError());
    }
    return error;
}

void saveFile(const std::string& name, const std::function<void(Archive&)>& write) {
    ReplacingFile target(name);
    try {
        Archive archive(target.file(), Archive::Mode::store);
        write(archive);
        archive.close();
        target.commit();
    } catch (const FileError& error) {
        throw target.named(error);
    }
}

}  // namespace fw
