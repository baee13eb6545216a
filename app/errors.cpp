#include "app/errors.h"

#include "platform/platform.h"
#include "text/cp1252.h"

namespace obrinex {

namespace {

std::string ioErrorText(std::uint32_t code) {
    switch (code) {
    case 2:
        return "File not found";
    case 3:
        return "Invalid filename";
    case 5:
        return "File access denied";
    default:
        return "I/O error " + std::to_string(code);
    }
}

} // namespace

IoError::IoError(std::uint32_t code) : AppError(ioErrorText(code)), code_(code) {}

std::string systemErrorMessage(std::uint32_t code) {
    switch (code) {
    case 2:
        return "The system cannot find the file specified";
    case 3:
        return "The system cannot find the path specified";
    case 5:
        return "Access is denied";
    case 32:
        return "The process cannot access the file because it is being used by another process";
    case 112:
        return "There is not enough space on the disk";
    case 183:
        return "Cannot create a file when that file already exists";
    default:
        return "System error " + std::to_string(code);
    }
}

std::string programTitle(const std::string& executablePath) {
    auto slash = executablePath.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
    auto dot = name.find('.');
    if (dot != std::string::npos) {
        name.resize(dot);
    }
    if (name.size() > 1) {
        name = name.substr(0, 1) + lowerCp1252(name.substr(1));
    }
    return name;
}

std::string errorBoxText(const std::string& text) {
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) {
        return text + ".";
    }
    return text;
}

void dispatchEvent(MessageBoxes& boxes, const std::string& title, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const AppError& error) {
        boxes.show(BoxKind::Error, title, errorBoxText(error.text()));
    }
}

} // namespace obrinex
