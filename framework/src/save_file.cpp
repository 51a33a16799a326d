#include "framework/save_file.h"

#include "framework/archive.h"
#include "framework/file.h"
#include "framework/paths.h"

namespace fw {

void saveFile(const std::string& name, const std::function<void(Archive&)>& write) {
    const std::string temporary = name + kSaveSuffix;
    try {
        File file;
        file.open(temporary, FileMode::createWrite);
        Archive archive(file, Archive::Mode::store);
        write(archive);
        archive.close();
        file.close();
    } catch (const FileError& error) {
        deleteFile(temporary);
        // The user knows the file by its own name, not by the temporary one.
        const bool named = error.fileName() == temporary;
        throw FileError(error.cause(), named ? name : fullPath(name), error.osError());
    }
    if (!replaceFile(temporary, name)) {
        deleteFile(temporary);
        throw FileError(FileError::Cause::accessDenied, fullPath(name));
    }
}

}  // namespace fw
