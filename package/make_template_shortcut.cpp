// Writes the template shortcut that Setup installs and then points at the dialer it installed: a
// shortcut to the dialer in its default folder, made with the program's own shortcut writer on the
// machine that builds.
// Usage: make_template_shortcut <output file>
#include <cstdio>
#include <fstream>

#include "shortcut_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make_template_shortcut <output file>\n", stderr);
        return 2;
    }
    fw::shortcut::Shortcut link;
    link.target = "C:\\Program Files\\Kestrune\\Ondrel\\Ondrel.exe";
    link.workingDirectory = "C:\\Program Files\\Kestrune\\Ondrel";
    link.iconPath = link.target;
    link.description = "Ondrel v1.3";
    std::ofstream out(argv[1], std::ios::binary);
    out << fw::shortcut::write(link);
    return out.good() ? 0 : 1;
}
