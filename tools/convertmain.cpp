// crustex-convert MODE ARGS...: the data converters (see convertmodes.h).
#include <iostream>
#include <string>
#include <vector>

#include "tools/convertmodes.h"

namespace {

void usage(std::ostream& out) {
    out << "usage: crustex-convert MODE ARGS...\n";
    for (const auto& m : crustex::tools::convertmodes())
        out << "  " << m.name << ' ' << m.usage << "\n      " << m.what << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        usage(std::cerr);
        return 2;
    }
    const std::string name = argv[1];
    if (name == "-h" || name == "--help") {
        usage(std::cout);
        return 0;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const auto& m : crustex::tools::convertmodes())
        if (m.name == name) return m.run(args, std::cerr);
    std::cerr << "crustex-convert: unknown mode \"" << name << "\"\n";
    usage(std::cerr);
    return 2;
}
