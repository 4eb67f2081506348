#include "cli/console.h"

#include <ctime>

#ifdef _WIN32
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <string>
#endif

void UseBinaryStandardStreams() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

bool WriteText(std::FILE* stream, std::string_view utf8) {
    if (utf8.empty())
        return true;
#ifdef _WIN32
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        const int size = static_cast<int>(utf8.size());
        const int wideSize = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), wideSize);
        std::fflush(stream);
        DWORD written = 0;
        return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) != 0;
    }
#endif
    return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
}

int CurrentLocalYear() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local.tm_year + 1900;
}
