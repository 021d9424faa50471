#include "support/GuiObjectCount.h"

#include "core/UniqueHandle.h"

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <vector>

namespace nimbrel::testing {

namespace {

bool runningUnderWine()
{
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// A live process always holds some handle, so an answer of 0 means the system only pretends;
// that also catches a Wine that hides its exports.
bool systemCountsAreReal()
{
    if (runningUnderWine()) {
        return false;
    }
    DWORD handles = 0;
    return ::GetProcessHandleCount(::GetCurrentProcess(), &handles) && handles > 0;
}

// Wine takes a GDI handle whose high word is zero as an index into its handle table, so asking
// every index for its type visits each live object once.
void countGdiByScan(ObjectCounts& counts)
{
    for (ULONG_PTR index = 1; index <= 0xFFFF; ++index) {
        switch (::GetObjectType(reinterpret_cast<HGDIOBJ>(index))) {
        case 0:
            continue;
        case OBJ_BITMAP:
            ++counts.bitmaps;
            break;
        case OBJ_FONT:
            ++counts.fonts;
            break;
        case OBJ_BRUSH:
            ++counts.brushes;
            break;
        case OBJ_PEN:
        case OBJ_EXTPEN:
            ++counts.pens;
            break;
        case OBJ_REGION:
            ++counts.regions;
            break;
        case OBJ_DC:
        case OBJ_MEMDC:
        case OBJ_METADC:
        case OBJ_ENHMETADC:
            ++counts.dcs;
            break;
        default:
            break;
        }
        ++counts.gdi;
    }
}

bool isIconOrCursor(HICON handle)
{
    ICONINFO info{};
    if (!::GetIconInfo(handle, &info)) {
        return false;
    }
    // GetIconInfo hands out fresh copies of the icon's bitmaps; the count must not grow by them.
    const UniqueBitmap color{info.hbmColor};
    const UniqueBitmap mask{info.hbmMask};
    return true;
}

// Wine's USER handles are 0x20 + 2 * slot with a high word of zero accepted for any generation.
// An odd value names the same slot as the even one below it, so only even values are asked.
// Icons and menus of other processes are not usable here, so they are not counted.
void countIconsAndMenusByScan(ObjectCounts& counts)
{
    for (ULONG_PTR value = 0x20; value <= 0xFFFE; value += 2) {
        if (::IsMenu(reinterpret_cast<HMENU>(value))) {
            ++counts.menus;
        } else if (isIconOrCursor(reinterpret_cast<HICON>(value))) {
            ++counts.icons;
        }
    }
}

struct WindowTally {
    DWORD process = ::GetCurrentProcessId();
    long windows = 0;

    bool owns(HWND window) const
    {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        return owner == process;
    }
};

BOOL CALLBACK tallyChild(HWND window, LPARAM tally)
{
    WindowTally& t = *reinterpret_cast<WindowTally*>(tally);
    if (t.owns(window)) {
        ++t.windows;
    }
    return TRUE;
}

void tallyTree(HWND top, WindowTally& tally)
{
    if (!tally.owns(top)) {
        return;
    }
    ++tally.windows;
    ::EnumChildWindows(top, tallyChild, reinterpret_cast<LPARAM>(&tally));
}

BOOL CALLBACK tallyTopLevel(HWND window, LPARAM tally)
{
    tallyTree(window, *reinterpret_cast<WindowTally*>(tally));
    return TRUE;
}

// Walking the window trees works alike everywhere; asking IsWindow of every USER handle costs
// Wine a server round trip per handle, seconds for a full scan.
long countWindows()
{
    WindowTally tally;
    ::EnumWindows(tallyTopLevel, reinterpret_cast<LPARAM>(&tally));
    // Message-only windows are not top-level windows to EnumWindows.
    for (HWND window = nullptr;
         (window = ::FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) != nullptr;) {
        tallyTree(window, tally);
    }
    return tally.windows;
}

// The layout of NtQuerySystemInformation's SystemHandleInformation answer.
constexpr ULONG systemHandleInformation = 16;
constexpr LONG statusInfoLengthMismatch = static_cast<LONG>(0xC0000004);

struct SystemHandleEntry {
    ULONG ownerProcess;
    BYTE objectType;
    BYTE flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};

struct SystemHandleTable {
    ULONG count;
    SystemHandleEntry entries[1];
};

using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

// Wine keeps every handle table in its server; one query lists them all in well under a
// millisecond, where asking GetHandleInformation of each handle value costs a round trip each.
long countKernelHandlesFromServer()
{
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    const FARPROC proc = ntdll ? ::GetProcAddress(ntdll, "NtQuerySystemInformation") : nullptr;
    if (proc == nullptr) {
        return notCounted;
    }
    // Through void(*)(): the one cast between function types that no compiler warns about.
    const auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void (*)()>(proc));

    // A few hundred entries for the whole Wine session are usual; 64 MiB would be millions.
    constexpr std::size_t largestBuffer = std::size_t{64} << 20;
    std::vector<std::byte> buffer(64 * 1024);
    LONG status = 0;
    while ((status = query(systemHandleInformation, buffer.data(),
                           static_cast<ULONG>(buffer.size()), nullptr)) ==
               statusInfoLengthMismatch &&
           buffer.size() < largestBuffer) {
        buffer.resize(buffer.size() * 2);
    }
    if (status < 0) {
        return notCounted;
    }

    ULONG entryCount = 0;
    std::memcpy(&entryCount, buffer.data(), sizeof entryCount);
    const auto* entries = reinterpret_cast<const SystemHandleEntry*>(
        buffer.data() + offsetof(SystemHandleTable, entries));
    const DWORD self = ::GetCurrentProcessId();
    long handles = 0;
    for (ULONG i = 0; i < entryCount; ++i) {
        if (entries[i].ownerProcess == self) {
            ++handles;
        }
    }
    return handles;
}

ObjectCounts countByScan()
{
    ObjectCounts counts;
    countGdiByScan(counts);
    countIconsAndMenusByScan(counts);
    counts.windows = countWindows();
    counts.user = counts.icons + counts.menus + counts.windows;
    counts.kernel = countKernelHandlesFromServer();
    return counts;
}

// The system knows the totals but not the kinds, except windows, which are walked.
ObjectCounts countFromSystem()
{
    const HANDLE self = ::GetCurrentProcess();
    ObjectCounts counts;
    for (const CountField& field : countFields) {
        counts.*field.member = notCounted;
    }
    counts.gdi = static_cast<long>(::GetGuiResources(self, GR_GDIOBJECTS));
    counts.user = static_cast<long>(::GetGuiResources(self, GR_USEROBJECTS));
    counts.windows = countWindows();
    DWORD handles = 0;
    counts.kernel = ::GetProcessHandleCount(self, &handles) ? static_cast<long>(handles) : notCounted;
    return counts;
}

std::string item(const char* name, long value)
{
    return std::string(name) + ' ' + (value == notCounted ? "?" : std::to_string(value));
}

} // namespace

ObjectCounts countProcessObjects()
{
    // A process's first use of its desktop sets up its share of it (display DCs, the standard
    // cursors and their bitmaps). The window walk would do that halfway through the first count
    // and the next count would see it as a leak; done up front, it is in every count.
    [[maybe_unused]] static const bool desktopReady = ::GetDesktopWindow() != nullptr;
    static const bool fromSystem = systemCountsAreReal();
    return fromSystem ? countFromSystem() : countByScan();
}

std::string describe(const ObjectCounts& c)
{
    return item("gdi", c.gdi) + " (" + item("bitmaps", c.bitmaps) + ' ' + item("fonts", c.fonts) +
           ' ' + item("brushes", c.brushes) + ' ' + item("pens", c.pens) + ' ' +
           item("regions", c.regions) + ' ' + item("dcs", c.dcs) + ") " + item("user", c.user) +
           " (" + item("icons", c.icons) + ' ' + item("menus", c.menus) + ' ' +
           item("windows", c.windows) + ") " + item("kernel", c.kernel);
}

ObjectCounts difference(const ObjectCounts& after, const ObjectCounts& before)
{
    ObjectCounts result;
    for (const CountField& field : countFields) {
        const long a = after.*field.member;
        const long b = before.*field.member;
        result.*field.member = (a == notCounted || b == notCounted) ? notCounted : a - b;
    }
    return result;
}

bool isZero(const ObjectCounts& difference)
{
    for (const CountField& field : countFields) {
        const long value = difference.*field.member;
        if (value != 0 && value != notCounted) {
            return false;
        }
    }
    return true;
}

} // namespace nimbrel::testing
