// Sets an environment variable of the test process for one scope and puts the
// old value back at its end (APPDATA, HOMEPATH ... point into a temporary
// folder, never at the user's own).
#pragma once

#include <cstdlib>

#include "framework/runtime/SysUtils.h"

#ifdef _WIN32
#include "framework/runtime/win/WinPlatform.h"
#endif

inline void SetEnv(const String& Name, const String* Value)
{
#ifdef _WIN32
    SetEnvironmentVariableW(WStr(Name), Value ? WStr(*Value) : nullptr);
#else
    if (Value)
        setenv(UTF8Encode(Name).c_str(), UTF8Encode(*Value).c_str(), 1);
    else
        unsetenv(UTF8Encode(Name).c_str());
#endif
}

class TScopedEnv {
public:
    TScopedEnv(const String& Name, const String& Value) : FName(Name)
    {
#ifdef _WIN32
        FHad = GetEnvironmentVariableW(WStr(Name), nullptr, 0) != 0;
#else
        FHad = getenv(UTF8Encode(Name).c_str()) != nullptr;
#endif
        FOld = GetEnvironmentVariable(Name);
        SetEnv(Name, &Value);
    }
    // Unsets the variable for the scope.
    explicit TScopedEnv(const String& Name) : TScopedEnv(Name, String()) { SetEnv(FName, nullptr); }
    TScopedEnv(const TScopedEnv&) = delete;
    TScopedEnv& operator=(const TScopedEnv&) = delete;
    ~TScopedEnv() { SetEnv(FName, FHad ? &FOld : nullptr); }

private:
    String FName;
    String FOld;
    bool FHad = false;
};
