// Compares a state table with the golden one.
//
//   state_compare EXPECTED ACTUAL               exact; exit 0 when identical,
//                                               1 with the first difference
//   state_compare --ulp-report EXPECTED ACTUAL  largest difference per field;
//                                               exit 0 when the structure
//                                               matches, 1 when it does not
//
// Exit status 2: wrong arguments or an unreadable file.

#include "TableComparison.h"

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

bool readLines(const std::string& path, std::vector<std::string>& lines)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::cerr << "state_compare: cannot read " << path << '\n';
        return false;
    }
    for (std::string line; std::getline(file, line);) {
        // A table written on Windows ends its lines in CR LF.
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool ulpReport = !args.empty() && args[0] == "--ulp-report";
    const std::size_t first = ulpReport ? 1 : 0;
    if (args.size() != first + 2) {
        std::cerr << "usage: state_compare [--ulp-report] EXPECTED ACTUAL\n";
        return 2;
    }

    std::vector<std::string> expected;
    std::vector<std::string> actual;
    if (!readLines(args[first], expected) || !readLines(args[first + 1], actual))
        return 2;

    if (ulpReport)
        return reportUlps(expected, actual, std::cout) ? 0 : 1;
    if (!compareExactly(expected, actual, std::cout))
        return 1;
    std::cout << "identical: " << expected.size() << " checkpoints\n";
    return 0;
}
