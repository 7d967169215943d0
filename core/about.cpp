#include "about.h"

#include <cstdio>
#include <cstring>


namespace holm {

int BuildNumberFromDate(const char* date) {
    static const char kMonths[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
    int month = 0;
    for (int m = 0; m < 12; ++m) {
        if (std::strncmp(date, kMonths + 3 * m, 3) == 0) month = m;
    }
    int day = 0, year = 0;
    if (std::strlen(date) > 3) std::sscanf(date + 3, "%d %d", &day, &year);
    return (year - 1996) * 1000 + (month - 9) * 31 + day;
}

std::string AboutText() {
    char last[64];
    std::snprintf(last, sizeof(last), "Version %0.2f, Build %d", kVersion, BuildNumberFromDate(kBuildDate));
    return std::string("HOLM: the Hand-Operated Launch Menu desktop shell\n\n"
                       "Written by the HOLM developers\n\n") + last;
}

}  // namespace holm
