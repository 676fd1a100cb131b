// Text files by number, read and written in the ANSI code page.
//
// Paths: the component's texts write "\" as the folder separator; on this
// platform both "\" and "/" separate folders (a "\" is never part of a
// name here).
#pragma once

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "quibor15/codepage.hpp"
#include "quibor15/host_runtime.hpp"

namespace quibor15::headless {

class TextFiles {
public:
    explicit TextFiles(std::shared_ptr<const AnsiCodePage> code_page) : code_page_(std::move(code_page)) {}
    ~TextFiles();
    TextFiles(const TextFiles&) = delete;
    TextFiles& operator=(const TextFiles&) = delete;

    // The lowest unused number from 1 to 255; 67 when all are in use.
    int32_t FreeFile() const;
    // Numbers run from 1 to 511 (52 otherwise); 55 for a number in use.
    // Input: 53 for a missing file, 76 for a missing folder, 75 when it
    // cannot be read. Output creates or empties the file: 76 for a missing
    // folder, 75 when it cannot be created.
    void Open(int32_t number, const String& path, FileMode mode);
    bool Eof(int32_t number) const;
    // The next line without its terminator: a line ends at CR or CR LF, a
    // lone LF stays in the line. 62 past the end.
    String ReadLine(int32_t number);
    // Writes the text and CR LF.
    void WriteLine(int32_t number, const String& text);
    // Closing a number that is not open does nothing.
    void Close(int32_t number);
    void CloseAll() noexcept;
    bool IsOpen(int32_t number) const { return files_.count(number) != 0; }

    static std::filesystem::path NativePath(const String& path);

private:
    struct OpenFile {
        FileMode mode;
        std::string data;  // an input file's bytes
        size_t position = 0;
        std::FILE* out = nullptr;
    };
    static void CheckNumber(int32_t number);
    OpenFile& Get(int32_t number, FileMode mode);
    const OpenFile& Get(int32_t number) const;

    std::shared_ptr<const AnsiCodePage> code_page_;
    std::map<int32_t, OpenFile> files_;
};

}  // namespace quibor15::headless
