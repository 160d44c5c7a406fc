// Shared by the benchmarks whose peers run in a Python process (Pillow): the
// temporary files they need and the process that times each operation itself.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

// A path in the temporary folder.
inline std::string BenchTempPath(const std::string& Name)
{
    const char* Dir = std::getenv("TMPDIR");
    return std::string(Dir ? Dir : "/tmp") + "/" + Name;
}

inline bool WriteBenchFile(const std::string& Path, const void* Data, size_t Size)
{
    FILE* F = std::fopen(Path.c_str(), "wb");
    if (!F) return false;
    const bool Ok = std::fwrite(Data, 1, Size, F) == Size;
    return std::fclose(F) == 0 && Ok;
}

// Runs Script with Args and reads its "name seconds" lines: seconds per
// operation by name, empty when the interpreter or its library is missing.
// Debian's own interpreter is preferred, since it has Debian's Pillow
// (python3-pil); LM_PYTHON names another.
inline std::map<std::string, double> RunTimingScript(const std::string& Script, const std::string& Args)
{
    std::string Python = "python3";
    if (const char* Env = std::getenv("LM_PYTHON")) {
        Python = Env;
    } else if (FILE* Probe = std::fopen("/usr/bin/python3", "rb")) {
        std::fclose(Probe);
        Python = "/usr/bin/python3";
    }
    std::map<std::string, double> Times;
    if (FILE* P = popen((Python + " " + Script + " " + Args).c_str(), "r")) {
        char Name[128];
        double Seconds;
        while (std::fscanf(P, "%127s %lf", Name, &Seconds) == 2) Times[Name] = Seconds;
        pclose(P);
    }
    return Times;
}
