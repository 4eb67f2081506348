// Sets an environment variable (inherited by processes started meanwhile) and puts the old value back.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

class TSavedEnv {
public:
    TSavedEnv(const char* name, const std::string& value) : Name(name) {
        char buffer[32768] = {};
        const DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
        if (length > 0 && length < sizeof buffer)
            Old = buffer;
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~TSavedEnv() { SetEnvironmentVariableA(Name, Old ? Old->c_str() : nullptr); }
    TSavedEnv(const TSavedEnv&) = delete;
    TSavedEnv& operator=(const TSavedEnv&) = delete;

private:
    const char* Name;
    std::optional<std::string> Old;
};
