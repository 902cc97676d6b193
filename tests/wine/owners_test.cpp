// The owners of handles and COM things: each gives its resource back
// exactly once, and a moved-from owner gives back nothing.
#include <gtest/gtest.h>

#include "base/com_ptr.h"
#include "base/handle.h"

namespace veloria {
namespace {

int g_closed = 0;
struct CountedTraits {
    using Type = int;
    static Type Empty() noexcept { return 0; }
    static void Close(Type) noexcept { ++g_closed; }
};

TEST(Owners, AHandleIsGivenBackOnceWhateverWayItLeaves)
{
    g_closed = 0;
    {
        UniqueHandle<CountedTraits> first(7);
        UniqueHandle<CountedTraits> second(std::move(first));
        UniqueHandle<CountedTraits> third(8);
        third = std::move(second);  // 8 goes back here
        EXPECT_EQ(g_closed, 1);
        third.reset(9);  // and 7 here
        EXPECT_EQ(third.release(), 9);
    }
    EXPECT_EQ(g_closed, 2);
}

TEST(Owners, SystemResourcesAreFreed)
{
    HGDIOBJ brush = nullptr;
    HDC dc = nullptr;
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\VeloriaOwnerTest", 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &key, nullptr),
              ERROR_SUCCESS);
    {
        const GdiObject<HBRUSH> owned(::CreateSolidBrush(RGB(1, 2, 3)));
        const MemoryDC memory(::CreateCompatibleDC(nullptr));
        brush = owned.get();
        dc = memory.get();
        const SelectedObject selected(dc, brush);
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), brush);
        RegKey ownedKey(key);
        const RegKey moved(std::move(ownedKey));
    }
    EXPECT_EQ(::GetObjectType(brush), 0u);
    EXPECT_EQ(::GetObjectType(dc), 0u);
    EXPECT_EQ(::RegSetValueExW(key, L"x", 0, REG_SZ, nullptr, 0), ERROR_INVALID_HANDLE);
    ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\VeloriaOwnerTest");
}

TEST(Owners, ComReferencesAreDroppedOnce)
{
    ComPtr<IStream> stream;
    ASSERT_EQ(::CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
    const auto references = [&stream] { return (stream->AddRef(), stream->Release()); };
    {
        const ComPtr<ISequentialStream> same = stream.As<ISequentialStream>();
        EXPECT_TRUE(same && !stream.As<IDispatch>());
        Variant held;
        held.get()->vt = VT_UNKNOWN;
        held.get()->punkVal = stream.get();
        stream->AddRef();
        Variant moved(std::move(held));
        held = Variant();
        EXPECT_EQ(references(), 3u);
    }
    EXPECT_EQ(references(), 1u);
    Bstr text(L"Veloria");
    const Bstr moved(std::move(text));
    EXPECT_EQ(text.get(), nullptr);
    EXPECT_EQ(::SysStringLen(moved.get()), 7u);
}

}  // namespace
}  // namespace veloria
