#include "data_common.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

namespace tvdata {

using namespace UNTLYSI0;

long dayNumber(int y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153L * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

Date civil(long z) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    Date r;
    r.d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    r.m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    r.y = static_cast<int>(yoe + era * 400 + (r.m <= 2));
    return r;
}

const char* weekdayCode(long z) {
    // 1970-01-01 was a Thursday.
    static const char* const CODES[7] = {"DO", "VR", "ZA", "ZO", "MA", "DI", "WO"};
    return CODES[((z % 7) + 7) % 7];
}

bool parseDate(std::string_view t, Date& out) {
    if (t.size() != 8) return false;
    for (char c : t)
        if (c < '0' || c > '9') return false;
    auto num = [&](size_t p, size_t n) {
        int v = 0;
        for (size_t i = p; i < p + n; ++i) v = v * 10 + (t[i] - '0');
        return v;
    };
    Date d{num(0, 4), num(4, 2), num(6, 2)};
    if (d.m < 1 || d.m > 12 || d.d < 1) return false;
    const Date back = civil(dayNumber(d.y, d.m, d.d));
    if (back.y != d.y || back.m != d.m || back.d != d.d) return false;
    out = d;
    return true;
}

std::string iso(const Date& d) {
    char b[16];
    std::snprintf(b, sizeof b, "%04d-%02d-%02d", d.y, d.m, d.d);
    return b;
}

bool readObservations(const std::string& name, ObsFile& out, std::string& why) {
    const int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        why = "cannot open " + name + ": " + std::strerror(errno);
        return false;
    }
    struct stat st;
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        why = "cannot read " + name + ": " + std::strerror(S_ISDIR(st.st_mode) ? EISDIR : errno);
        close(fd);
        return false;
    }
    out.name = name;
    out.bytes.clear();
    char buf[65536];
    for (;;) {
        const ssize_t r = read(fd, buf, sizeof buf);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) {
            why = "cannot read " + name + ": " + std::strerror(errno);
            close(fd);
            return false;
        }
        if (r == 0) break;
        out.bytes.append(buf, static_cast<size_t>(r));
    }
    close(fd);
    return true;
}

const std::vector<Series>& allSeries() {
    static const std::vector<Series> S = [] {
        std::vector<Series> v;
        v.push_back({"Rzel", "rainfall", Kind::Rain, POSRZEL, POSRVLAG, 0, 400});
        static const char* const NN[4] = {"NN1", "NN2", "NN3", "NN4"};
        static const char* const NNW[4] = {"drain of tank 1", "drain of tank 2", "drain of tank 3", "drain of tank 4"};
        for (int k = 1; k <= 4; ++k) v.push_back({NN[k - 1], NNW[k - 1], Kind::Drain, POSNN(k), POSNN(k) + 4, 0, 4000});
        // A tank piezometer of 122 stands on the 0 line of the water-balance
        // chart's right-hand scale, 150 at its top; up to 175 a mark is lifted
        // into the rain band and still stands within the chart.
        static const char* const PB[4] = {"Pb1", "Pb2", "Pb3", "Pb4"};
        static const char* const PBW[4] = {"piezometer in tank 1", "piezometer in tank 2", "piezometer in tank 3",
                                           "piezometer in tank 4"};
        for (int k = 1; k <= 4; ++k) v.push_back({PB[k - 1], PBW[k - 1], Kind::TankPb, POSPB(k), POSPB(k) + 4, 122, 175});
        // The piezometer chart's level scale runs from NAP up to +375, the
        // level on its drain line.
        static const char* const PU[3] = {"PbA", "PbB", "PbC"};
        static const char* const PUW[3] = {"piezometer A", "piezometer B", "piezometer C"};
        for (int k = 1; k <= 3; ++k) v.push_back({PU[k - 1], PUW[k - 1], Kind::OuterPb, POSPBUIT(k), POSPBUIT(k) + 4, 0, 375});
        // The dune wells chart's scale runs from +400 up to +818 on its drain line.
        v.push_back({"W116", "dune well W116", Kind::Well, POSW116, POSW116 + 4, 400, 818});
        v.push_back({"W194", "dune well W194", Kind::Well, POSW194, POSW194 + 4, 400, 818});
        return v;
    }();
    return S;
}

bool taken(std::string_view rec, const Series& s) {
    switch (s.kind) {
    case Kind::Rain: return true;
    case Kind::Drain: return at(rec, s.flag) != '9';
    case Kind::OuterPb: return at(rec, s.flag) == '9' || at(rec, POSPBDAG) == '9';
    default: return at(rec, s.flag) == '9';
    }
}

bool writeOutput(const std::string& name, const std::string& content, std::string& why) {
    if (name.empty() || name == "-") {
        if (std::fwrite(content.data(), 1, content.size(), stdout) != content.size() || std::fflush(stdout) != 0) {
            why = std::string("cannot write to standard output: ") + std::strerror(errno);
            return false;
        }
        return true;
    }
    const size_t slash = name.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : name.substr(0, slash));
    const std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
    if (base.empty()) {
        why = "cannot write " + name + ": it names a folder";
        return false;
    }
    struct stat st;
    if (stat(name.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        why = "cannot write " + name + ": it is a folder";
        return false;
    }
    std::string tmp = (dir == "/" ? "/" : dir + "/") + "." + base + ".XXXXXX";
    const int fd = mkstemp(tmp.data());
    if (fd < 0) {
        why = "cannot write " + name + ": " + std::strerror(errno);
        return false;
    }
    auto fail = [&](int err) {
        close(fd);
        unlink(tmp.c_str());
        why = "cannot write " + name + ": " + std::strerror(err);
        return false;
    };
    // The file gets the mode a newly created file would get.
    const mode_t mask = umask(0);
    umask(mask);
    if (fchmod(fd, 0666 & ~mask) != 0) return fail(errno);
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t w = write(fd, content.data() + done, content.size() - done);
        if (w < 0 && errno == EINTR) continue;
        if (w < 0) return fail(errno);
        done += static_cast<size_t>(w);
    }
    if (fsync(fd) != 0) return fail(errno);
    if (close(fd) != 0) {
        const int err = errno;
        unlink(tmp.c_str());
        why = "cannot write " + name + ": " + std::strerror(err);
        return false;
    }
    if (rename(tmp.c_str(), name.c_str()) != 0) {
        const int err = errno;
        unlink(tmp.c_str());
        why = "cannot write " + name + ": " + std::strerror(err);
        return false;
    }
    return true;
}

std::string shortest(double v) {
    if (v == 0) return "0";  // also for -0
    char b[64];
    const auto r = std::to_chars(b, b + sizeof b, v);
    return std::string(b, r.ptr);
}

}  // namespace tvdata
