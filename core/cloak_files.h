// The cloak rules the configuration program shares with the shell: colour
// strings as the menu library reads them, the text of an exported cloak
// file as the installer reads it back, and which files on disk belong to a
// cloak. Pure logic: no Windows headers.
#pragma once
#include <string>
#include <vector>

namespace holm {

// The five file values of a cloak record, in the order Export writes them.
enum CloakFileSlot { kBackgroundSlot, kSubmenuIconSlot, kHideCursorSlot, kCloseCursorSlot, kKillCursorSlot,
                     kCloakFileSlotCount };
extern const char* const kCloakFileKeys[kCloakFileSlotCount];

struct Colour {
    int red = 0, green = 0, blue = 0;
    bool operator==(const Colour& o) const { return red == o.red && green == o.green && blue == o.blue; }
};

// "R G B", each component 0 to 255.
std::string ColourText(const Colour& colour);
// Three decimal integers separated by white space (leading white space and
// a sign allowed, as "%d %d %d" reads them); the low eight bits of each are
// kept. False when three integers cannot be read.
bool ParseColourText(const std::string& text, Colour& colour);

// What Export writes: the values of the chooser's controls.
struct CloakExport {
    std::string name;
    std::string files[kCloakFileSlotCount];  // full paths; empty: none
    std::string font;
    bool underline = false, italics = false, bold = false;
    Colour text, disabledText, border;
};

// The file name part of a path: after its last backslash, slash or colon.
std::string FileNamePart(const std::string& path);

// The bare names the files get beside the exported cloak file; empty for
// no file. Two different sources with the same name get different names
// ("waves.bmp", "waves (2).bmp"); a name that could leave the export's
// directory ("..", a device-like trailing dot) gives an empty name and is
// listed in `refused`.
std::vector<std::string> ExportFileNames(const CloakExport& cloak, std::vector<std::string>* refused = nullptr);

// The cloak file: one section with the thirteen lines, CR LF after each.
std::string ExportText(const CloakExport& cloak, const std::vector<std::string>& fileNames);

// A path with "." and ".." resolved, separators turned into backslashes and
// ASCII letters in lower case, for comparing; empty when the path is not
// absolute (a drive and a backslash, or a UNC name) or climbs above its root.
std::string ComparablePath(const std::string& path);

// Whether Delete may remove `path` from disk: only a file lying directly in
// the cloak's own directory (`ownDirectory`, "<cloak directory>\<name>").
bool IsOwnCloakFile(const std::string& path, const std::string& ownDirectory);

}  // namespace holm
