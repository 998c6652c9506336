// A notes folder for the benchmarks of the search across all notes: 2,000
// notes of about 20 KB of RTF each (40 MB), Russian and English words in
// lines of some 60 characters with a bold word now and then, as the program
// saves them. Every tenth line holds "заметка"; note i holds "меткаi" once,
// in its twentieth line.
#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>

namespace quivra::bench {

inline constexpr int kCorpusNotes = 2000;
inline constexpr std::size_t kCorpusNoteBytes = 20 * 1024;

inline std::string corpusNote(int number) {
    static const char* const kWords[] = {"list",
                                         "plan",
                                         "\\'e4\\'ee\\'ec",
                                         "\\'f1\\'ef\\'e8\\'f1\\'ee\\'ea",
                                         "work",
                                         "\\'f0\\'e0\\'e1\\'ee\\'f2\\'e0",
                                         "idea",
                                         "\\'e4\\'e5\\'eb\\'ee",
                                         "note",
                                         "\\'e2\\'f1\\'f2\\'f0\\'e5\\'f7\\'e0"};
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fnil"
                      "\\fcharset204 Tahoma;}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs16 ";
    for (int line = 0; rtf.size() < kCorpusNoteBytes; ++line) {
        for (int w = 0; w < 8; ++w) {
            const char* word = kWords[(number * 7 + line * 3 + w) % 10];
            if (w == 3)
                rtf += std::string("{\\b ") + word + "}";
            else
                rtf += word;
            rtf += ' ';
        }
        if (line % 10 == 0)
            rtf += "\\'e7\\'e0\\'ec\\'e5\\'f2\\'ea\\'e0 "; // заметка
        if (line == 20)
            rtf += "\\'ec\\'e5\\'f2\\'ea\\'e0" + std::to_string(number); // меткаN
        rtf += "\\par\r\n";
    }
    return rtf + "}";
}

inline std::u16string corpusNoteName(int number) {
    const std::string digits = std::to_string(number);
    return u"Заметка " + std::u16string(digits.begin(), digits.end());
}

inline void writeCorpusNote(const std::filesystem::path& folder, int number,
                            const std::string& bytes) {
    std::ofstream(folder / (corpusNoteName(number) + u".note"), std::ios::binary) << bytes;
}

inline void writeCorpus(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    for (int i = 0; i < kCorpusNotes; ++i)
        writeCorpusNote(folder, i, corpusNote(i));
}

} // namespace quivra::bench
