#pragma once

// The live GDI objects, USER objects and kernel handles of this process, for leak tests.
//
// Under Wine GetGuiResources and GetProcessHandleCount answer 0 whatever is open, so a leak test
// built on them passes whatever leaks; there the objects are counted in-process instead, and the
// GDI and USER counts are broken down by kind. On Windows the system's own totals are used, and a
// kind the system cannot tell apart is reported as notCounted; windows are walked on both.
//
// Counts include objects the system shares or caches for the process (stock objects, system
// icons, the cached screen DC): compare a count taken before some work with one taken after it.

#include <array>
#include <limits>
#include <string>

namespace nimbrel::testing {

// A kind this system cannot count; it stays notCounted in a difference. Not -1: a difference
// of -1 is one object freed.
inline constexpr long notCounted = std::numeric_limits<long>::min();

struct ObjectCounts {
    long gdi = 0;     // every GDI object, the kinds below and the rest (palettes, metafiles...)
    long bitmaps = 0; // also the bitmaps behind icons and cursors
    long fonts = 0;
    long brushes = 0;
    long pens = 0;
    long regions = 0;
    long dcs = 0;     // screen, memory and metafile DCs
    long user = 0;    // under Wine the sum of the three kinds below
    long icons = 0;   // icons and cursors
    long menus = 0;
    long windows = 0; // every window of this process, message-only and child windows included
    long kernel = 0;  // kernel handles

    friend bool operator==(const ObjectCounts&, const ObjectCounts&) = default;
};

struct CountField {
    const char* name;
    long ObjectCounts::*member;
};

inline constexpr std::array<CountField, 12> countFields{{
    {"gdi", &ObjectCounts::gdi},
    {"bitmaps", &ObjectCounts::bitmaps},
    {"fonts", &ObjectCounts::fonts},
    {"brushes", &ObjectCounts::brushes},
    {"pens", &ObjectCounts::pens},
    {"regions", &ObjectCounts::regions},
    {"dcs", &ObjectCounts::dcs},
    {"user", &ObjectCounts::user},
    {"icons", &ObjectCounts::icons},
    {"menus", &ObjectCounts::menus},
    {"windows", &ObjectCounts::windows},
    {"kernel", &ObjectCounts::kernel},
}};

// Takes 5 to 15 ms under Wine, the first call of a process more; allocates no GDI, USER or kernel object that outlives the call.
ObjectCounts countProcessObjects();

// "gdi 27 (bitmaps 1 fonts 11 ...) user 9 (icons 3 ...) kernel 21", "?" for notCounted.
std::string describe(const ObjectCounts& counts);

// after - before, field by field; notCounted on either side stays notCounted.
ObjectCounts difference(const ObjectCounts& after, const ObjectCounts& before);

// No counted field of a difference moved.
bool isZero(const ObjectCounts& difference);

} // namespace nimbrel::testing
