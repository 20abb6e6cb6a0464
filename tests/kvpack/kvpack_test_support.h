// A package folder of the tests' own in a temporary directory: a small setup1.inf that
// uses every section the setup reads, its payload, and kvpack's check and build run on it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "build.h"
#include "memory.h"
#include "text.h"

// A small package that kvpack check passes without a word: two disks, one country, one
// layout, one font of each kind. Lines end in "\r\n".
std::string BaseInf();

// The text with `from` replaced by `to`, which must stand in it exactly once.
std::string Replaced(const std::string& text, const std::string& from, const std::string& to);

// The 1-based line of setup1.inf text on which `fragment` first stands.
uint32_t LineOf(const std::string& text, const std::string& fragment);

class TestPackage {
public:
    TestPackage();
    ~TestPackage();
    TestPackage(const TestPackage&) = delete;
    TestPackage& operator=(const TestPackage&) = delete;

    const std::string& dir() const { return dir_; }
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }

    void WriteFile(const std::string& name, const std::string& bytes);
    std::string ReadFile(const std::string& name) const;
    // Writes setup1.inf and every file it names that the folder does not hold yet, each
    // carrying the package's name, and setup.exe.
    void WriteInf(const std::string& text);

    // kvpack check's messages, "LINE severity: message", notes left out unless asked for.
    std::vector<std::string> Check(bool withNotes = false);
    // kvpack build into OUT below the folder; its messages as Check gives them.
    int Build(BuildOptions options, std::vector<std::string>* messages = nullptr);

private:
    std::string dir_;
};
