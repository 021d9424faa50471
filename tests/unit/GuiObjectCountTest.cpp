// The object counter that leak tests trust: it sees one object of each kind come and go, counts
// each of many held at once, stays flat over create/free cycles and leaves nothing behind itself.
#include "support/GuiObjectCount.h"

#include "core/UniqueHandle.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace nimbrel::testing {
namespace {

// Any created object, freed when the last copy goes; empty when creating it failed.
using Object = std::shared_ptr<void>;

template <typename Unique>
Object hold(Unique unique)
{
    return unique ? std::make_shared<Unique>(std::move(unique)) : nullptr;
}

template <typename T>
void deleteGdiObject(T object) noexcept
{
    ::DeleteObject(object);
}
void deleteDc(HDC dc) noexcept { ::DeleteDC(dc); }
void releaseScreenDc(HDC dc) noexcept { ::ReleaseDC(nullptr, dc); }

using UniqueBrush = UniqueAny<HBRUSH, deleteGdiObject<HBRUSH>>;
using UniquePen = UniqueAny<HPEN, deleteGdiObject<HPEN>>;
using UniqueRegion = UniqueAny<HRGN, deleteGdiObject<HRGN>>;
using UniqueDc = UniqueAny<HDC, deleteDc>;
using ScreenDc = UniqueAny<HDC, releaseScreenDc>;

UniqueWindow createWindow(HWND parent, DWORD style)
{
    return UniqueWindow{::CreateWindowExW(0, L"STATIC", L"", style, 0, 0, 8, 8, parent, nullptr,
                                          nullptr, nullptr)};
}

Object createBitmap()
{
    const ScreenDc screen{::GetDC(nullptr)};
    return hold(UniqueBitmap{::CreateCompatibleBitmap(screen.get(), 16, 16)});
}

Object createIcon()
{
    const UniqueBitmap color{::CreateBitmap(16, 16, 1, 32, nullptr)};
    const UniqueBitmap mask{::CreateBitmap(16, 16, 1, 1, nullptr)};
    ICONINFO info{TRUE, 0, 0, mask.get(), color.get()};
    return hold(UniqueIcon{::CreateIconIndirect(&info)});
}

// Wine gives a thread a default IME window along with its first window that is not message-only,
// and takes it away with the last; a hidden window held for the whole suite keeps that one out of
// every count. Child windows are made inside it.
class GuiObjectCount : public ::testing::Test {
public:
    static HWND hostWindow() { return host.get(); }

protected:
    static void SetUpTestSuite() { host = createWindow(nullptr, WS_POPUP); }
    static void TearDownTestSuite() { host.reset(); }

private:
    static inline UniqueWindow host;
};

struct Kind {
    const char* name;
    std::function<Object()> create;
    long ObjectCounts::*kind;                       // the count that names this kind
    long ObjectCounts::*total;                      // gdi, user or kernel
    std::vector<long ObjectCounts::*> alsoMoves{}; // what the object owns besides itself

    friend void PrintTo(const Kind& kind, std::ostream* out) { *out << kind.name; }
};

const Kind kinds[] = {
    {"bitmap", createBitmap, &ObjectCounts::bitmaps, &ObjectCounts::gdi},
    {"font",
     [] {
         return hold(UniqueFont{::CreateFontW(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                              DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma")});
     },
     &ObjectCounts::fonts, &ObjectCounts::gdi},
    {"brush", [] { return hold(UniqueBrush{::CreateSolidBrush(RGB(1, 2, 3))}); },
     &ObjectCounts::brushes, &ObjectCounts::gdi},
    {"pen", [] { return hold(UniquePen{::CreatePen(PS_SOLID, 1, RGB(1, 2, 3))}); },
     &ObjectCounts::pens, &ObjectCounts::gdi},
    {"region", [] { return hold(UniqueRegion{::CreateRectRgn(0, 0, 4, 4)}); },
     &ObjectCounts::regions, &ObjectCounts::gdi},
    {"memoryDc", [] { return hold(UniqueDc{::CreateCompatibleDC(nullptr)}); },
     &ObjectCounts::dcs, &ObjectCounts::gdi},
    {"icon", createIcon, &ObjectCounts::icons, &ObjectCounts::user,
     {&ObjectCounts::gdi, &ObjectCounts::bitmaps}},
    {"menu", [] { return hold(UniqueMenu{::CreatePopupMenu()}); }, &ObjectCounts::menus,
     &ObjectCounts::user},
    {"topLevelWindow", [] { return hold(createWindow(nullptr, WS_POPUP)); },
     &ObjectCounts::windows, &ObjectCounts::user},
    {"messageOnlyWindow", [] { return hold(createWindow(HWND_MESSAGE, 0)); },
     &ObjectCounts::windows, &ObjectCounts::user},
    {"childWindow", [] { return hold(createWindow(GuiObjectCount::hostWindow(), WS_CHILD)); },
     &ObjectCounts::windows, &ObjectCounts::user},
    {"event", [] { return hold(UniqueHandle{::CreateEventW(nullptr, TRUE, FALSE, nullptr)}); },
     &ObjectCounts::kernel, &ObjectCounts::kernel},
};

class GuiObjectCountOfEachKind : public GuiObjectCount,
                                 public ::testing::WithParamInterface<Kind> {
protected:
    // The first object of a kind may bring state that lives as long as the process (the cached
    // screen DC, a shared resource); one made and freed before the baseline keeps that out.
    void SetUp() override
    {
        ASSERT_NE(GetParam().create(), nullptr) << "could not create a " << GetParam().name;
    }

    // Every counted field moved by `by` where the kind names it, and not at all elsewhere.
    static void expectMoved(const ObjectCounts& change, long by)
    {
        const Kind& kind = GetParam();
        for (const CountField& field : countFields) {
            const long value = change.*field.member;
            if (value == notCounted) {
                EXPECT_NE(field.member, kind.total) << field.name << " is counted everywhere";
                continue;
            }
            if (std::find(kind.alsoMoves.begin(), kind.alsoMoves.end(), field.member) !=
                kind.alsoMoves.end()) {
                continue;
            }
            const bool named = field.member == kind.kind || field.member == kind.total;
            EXPECT_EQ(value, named ? by : 0) << field.name << " of " << describe(change);
        }
    }
};

TEST_P(GuiObjectCountOfEachKind, seesOneObjectComeAndGo)
{
    const ObjectCounts before = countProcessObjects();
    Object object = GetParam().create();
    ASSERT_NE(object, nullptr);
    const ObjectCounts held = countProcessObjects();
    expectMoved(difference(held, before), 1);

    object.reset();
    const ObjectCounts after = countProcessObjects();
    expectMoved(difference(after, held), -1);
    EXPECT_TRUE(isZero(difference(after, before))) << describe(difference(after, before));
}

TEST_P(GuiObjectCountOfEachKind, countsEachOfAThousandHeldAtOnce)
{
    const ObjectCounts before = countProcessObjects();
    std::vector<Object> objects;
    for (int i = 0; i < 1000; ++i) {
        objects.push_back(GetParam().create());
        ASSERT_NE(objects.back(), nullptr) << "object " << i;
    }
    expectMoved(difference(countProcessObjects(), before), 1000);

    objects.clear();
    const ObjectCounts after = difference(countProcessObjects(), before);
    EXPECT_TRUE(isZero(after)) << describe(after);
}

TEST_P(GuiObjectCountOfEachKind, staysFlatOverAThousandCreateFreeCycles)
{
    const ObjectCounts before = countProcessObjects();
    for (int i = 0; i < 1000; ++i) {
        ASSERT_NE(GetParam().create(), nullptr) << "cycle " << i;
    }
    const ObjectCounts change = difference(countProcessObjects(), before);
    EXPECT_TRUE(isZero(change)) << describe(change);
}

INSTANTIATE_TEST_SUITE_P(Kinds, GuiObjectCountOfEachKind, ::testing::ValuesIn(kinds),
                         [](const ::testing::TestParamInfo<Kind>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(GuiObjectCount, countingLeavesNothingBehind)
{
    const ObjectCounts first = countProcessObjects();
    for (int i = 0; i < 20; ++i) {
        const ObjectCounts change = difference(countProcessObjects(), first);
        ASSERT_TRUE(isZero(change)) << "count " << i << ": " << describe(change);
    }
}

// Leak tests count a few times each; a slow way of counting (asking every possible handle
// through the Wine server) would take seconds.
} // namespace
} // namespace nimbrel::testing
