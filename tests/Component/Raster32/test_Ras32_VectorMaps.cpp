// The vector map (interpolation, merging, trimmed bounds, mesh file) and the integer map.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "Component/Raster32/Ras32_OrdinalMaps.h"
#include "Component/Raster32/Ras32_VectorMaps.h"
#include "framework/runtime/Classes.h"
#include "framework/runtime/SysUtils.h"

namespace {

constexpr TFixed One = FixedOne;

TFixedPoint V(Integer X, Integer Y) { return TFixedPoint{X, Y}; }

// A file in the test's working folder, removed again at the end.
struct TTempFile {
    String Name;
    explicit TTempFile(const char16_t* AName) : Name(AName) {}
    ~TTempFile() { DeleteFile(Name); }
};

void WriteBytes(const String& Name, const std::vector<Byte>& Bytes)
{
    TFileStream S(Name, fmCreate);
    if (!Bytes.empty()) S.WriteBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
}

std::vector<Byte> ReadBytes(const String& Name)
{
    TFileStream S(Name, fmOpenRead);
    std::vector<Byte> Bytes(static_cast<size_t>(S.Size()));
    if (!Bytes.empty()) S.ReadBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
    return Bytes;
}

// The 32-byte header of a mesh file with the given name and size.
std::vector<Byte> MeshHeader(const char16_t* Magic, Integer W, Integer H)
{
    TMemoryStream S;
    S.WriteValue<Cardinal>(0x02000000);
    for (int i = 0; i < 8; ++i) S.WriteValue<Word>(Magic[i]);
    S.WriteValue<Integer>(2);
    S.WriteValue<Integer>(W);
    S.WriteValue<Integer>(H);
    std::vector<Byte> Bytes(32);
    S.SetPosition(0);
    S.ReadBuffer(Bytes.data(), 32);
    return Bytes;
}

}  // namespace

TEST(Ras32_VectorMap, SizeClearAndSafeReads)
{
    TVectorMap Map;
    int Changes = 0;
    Map.OnChange = [&](TObject*) { ++Changes; };
    EXPECT_TRUE(Map.Empty());
    Map.SetSize(3, 2);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Map.Vectors().size(), 6u);
    Map.SetIntVector(2, 1, V(5, 6));
    EXPECT_EQ(Map.IntVector(2, 1), V(5, 6));
    EXPECT_EQ(Map.IntVectorSafe(3, 1), V(0, 0));
    EXPECT_EQ(Map.IntVectorSafe(-1, 0), V(0, 0));
    Map.Clear();  // no notification
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Map.IntVector(2, 1), V(0, 0));
    Map.SetVectorCombineMode(vcmReplace);
    Map.SetVectorCombineMode(vcmReplace);
    EXPECT_EQ(Changes, 2);
    EXPECT_THROW(Map.SetSize(100000, 100000), Exception);
}

TEST(Ras32_VectorMap, BilinearVectors)
{
    TVectorMap Map;
    Map.SetSize(2, 2);
    Map.SetIntVector(0, 0, V(0, 0));
    Map.SetIntVector(1, 0, V(4 * One, 0));
    Map.SetIntVector(0, 1, V(0, 8 * One));
    Map.SetIntVector(1, 1, V(4 * One, 8 * One));
    EXPECT_EQ(Map.FixedVector(One / 2, One / 2), V(2 * One, 4 * One));
    // The last column is its own right neighbour; a negative coordinate is outside.
    EXPECT_EQ(Map.FixedVector(One + One / 2, 0), V(4 * One, 0));
    EXPECT_EQ(Map.FixedVector(-1, 0), V(0, 0));
    EXPECT_EQ(Map.FixedVector(2 * One, 0), V(0, 0));
    // The safe form counts outside vectors as zero: half beyond the edge gives half.
    EXPECT_EQ(Map.FixedVectorSafe(One + One / 2, 0), V(2 * One, 0));
    TFloatPoint F = Map.FloatVector(0.25f, 0.5f);
    EXPECT_FLOAT_EQ(F.X, 1.0f);
    EXPECT_FLOAT_EQ(F.Y, 4.0f);
    EXPECT_EQ(LerpFixedVector(V(10, -10), V(20, 10), One / 2), V(15, 0));
}

TEST(Ras32_VectorMap, MergeModes)
{
    TVectorMap Base, Src;
    EXPECT_THROW(Base.Merge(0, 0, &Src, TRect{0, 0, 1, 1}), Exception);
    Src.SetSize(3, 3);
    try {
        Base.Merge(0, 0, &Src, TRect{0, 0, 1, 1});
        FAIL();
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), u"Base is empty!");
    }
    Base.SetSize(4, 4);
    for (Integer y = 0; y < 3; ++y)
        for (Integer x = 0; x < 3; ++x) Src.SetIntVector(x, y, V(x + 1, 10 * (y + 1)));
    Base.SetIntVector(1, 1, V(100, 100));

    Base.Merge(1, 1, &Src, Src.BoundsRect());  // vcmAdd, cut at the right and bottom
    EXPECT_EQ(Base.IntVector(1, 1), V(101, 110));
    EXPECT_EQ(Base.IntVector(3, 3), V(3, 30));
    EXPECT_EQ(Base.IntVector(0, 0), V(0, 0));

    Src.SetVectorCombineMode(vcmReplace);
    Base.Clear();
    // Placed at (-1, -1): Src (1, 1) lands on (0, 0).
    Base.Merge(-1, -1, &Src, Src.BoundsRect());
    EXPECT_EQ(Base.IntVector(0, 0), V(2, 20));
    EXPECT_EQ(Base.IntVector(1, 1), V(3, 30));
    EXPECT_EQ(Base.IntVector(2, 2), V(0, 0));

    Src.SetVectorCombineMode(vcmCustom);
    std::vector<TFixedPoint> Progression;
    Src.OnVectorCombine = [&](TFixedPoint F, TFixedPoint P, TFixedPoint& B) {
        Progression.push_back(P);
        B = F;
    };
    Base.Merge(0, 0, &Src, Src.BoundsRect());
    ASSERT_EQ(Progression.size(), 9u);
    EXPECT_EQ(Progression[0], V(-One, -One));
    EXPECT_EQ(Progression[1], V(0, -One));
    EXPECT_EQ(Progression[2], V(One, -One));
    EXPECT_EQ(Progression[8], V(One, One));
    // One column wide: no progression, nothing changes.
    Progression.clear();
    Base.Clear();
    Base.Merge(0, 0, &Src, TRect{0, 0, 1, 3});
    EXPECT_TRUE(Progression.empty());
    EXPECT_EQ(Base.IntVector(0, 0), V(0, 0));
}

TEST(Ras32_VectorMap, TrimmedBoundsAreExclusive)
{
    TVectorMap Map;
    Map.SetSize(6, 5);
    EXPECT_EQ(Map.GetTrimmedBounds(), (TRect{0, 0, 0, 0}));
    Map.SetIntVector(2, 3, V(1, 0));
    EXPECT_EQ(Map.GetTrimmedBounds(), (TRect{2, 3, 3, 4}));
    Map.SetIntVector(4, 1, V(0, -1));
    Map.SetIntVector(1, 2, V(7, 7));
    EXPECT_EQ(Map.GetTrimmedBounds(), (TRect{1, 1, 5, 4}));
    Map.SetIntVector(5, 4, V(1, 1));
    EXPECT_EQ(Map.GetTrimmedBounds(), (TRect{1, 1, 6, 5}));
}

TEST(Ras32_VectorMap, MeshFileRoundTrip)
{
    TTempFile File(u"test_mesh.msh");
    TVectorMap Map;
    Map.SetSize(3, 2);
    Map.SetIntVector(0, 0, V(One / 2, -3 * One));
    Map.SetIntVector(2, 1, V(0x12345678, 1));  // not a Single exactly
    Map.SaveToFile(File.Name);
    std::vector<Byte> Bytes = ReadBytes(File.Name);
    EXPECT_EQ(Bytes.size(), 32u + 8 * 6 + 8);
    EXPECT_EQ(Bytes[3], 2);
    EXPECT_EQ(Bytes[4], 'y');
    EXPECT_EQ(Bytes[20], 2);
    // Saving leaves the map in memory as it was.
    EXPECT_EQ(Map.IntVector(2, 1), V(0x12345678, 1));

    TVectorMap Loaded;
    Loaded.LoadFromFile(File.Name);
    EXPECT_EQ(Loaded.Width(), 3);
    EXPECT_EQ(Loaded.Height(), 2);
    EXPECT_EQ(Loaded.IntVector(0, 0), V(One / 2, -3 * One));
    EXPECT_NEAR(Loaded.IntVector(2, 1).X, 0x12345678, 64);
    EXPECT_EQ(Loaded.IntVector(2, 1).Y, 1);

    // The name is compared without regard to case.
    std::vector<Byte> Upper = MeshHeader(u"YFQLHSEM", 1, 1);
    Upper.resize(Upper.size() + 16);
    WriteBytes(File.Name, Upper);
    Loaded.LoadFromFile(File.Name);
    EXPECT_EQ(Loaded.Width(), 1);
}

TEST(Ras32_VectorMap, DamagedMeshFilesAreRejectedBeforeAllocating)
{
    TTempFile File(u"test_mesh_bad.msh");
    TVectorMap Map;
    Map.SetSize(2, 2);
    Map.SetIntVector(1, 1, V(9, 9));
    auto Rejects = [&](const std::vector<Byte>& Bytes, const String& Message) {
        WriteBytes(File.Name, Bytes);
        try {
            Map.LoadFromFile(File.Name);
            ADD_FAILURE() << "loaded";
        } catch (const Exception& E) {
            EXPECT_EQ(E.Message(), Message);
        }
        // The map is left as it was.
        EXPECT_EQ(Map.Width(), 2);
        EXPECT_EQ(Map.IntVector(1, 1), V(9, 9));
    };
    Rejects(MeshHeader(u"notamesh", 1, 1), u"Bad format - Photoshop .msh expected!");
    Rejects(MeshHeader(u"yfqLhseM", -1, 4), u"Bad format - Photoshop .msh expected!");
    Rejects(MeshHeader(u"yfqLhseM", 50000, 50000), u"Stream read error");
    Rejects(MeshHeader(u"yfqLhseM", 0x7FFFFFFF, 0x7FFFFFFF), u"Stream read error");
    Rejects(std::vector<Byte>(10, 0), u"Stream read error");
    try {
        Map.LoadFromFile(u"no_such_mesh_file.msh");
        FAIL();
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), u"File not found!");
    }
}

TEST(Ras32_IntegerMap, ResizeKeepsEntriesAndClearFills)
{
    TIntegerMap Map;
    EXPECT_TRUE(Map.Empty());
    Map.SetSize(2, 2);
    for (Integer i = 0; i < 4; ++i) Map.Bits()[i] = i + 1;
    Map.SetSize(3, 2);  // entries keep their index; the new ones are 0
    EXPECT_EQ(Map.Bits()[3], 4);
    EXPECT_EQ(Map.Bits()[5], 0);
    EXPECT_EQ(Map.Value(1, 1), 0);
    int Changes = 0;
    Map.OnChange = [&](TObject*) { ++Changes; };
    Map.Clear(-7);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Map.Value(2, 1), -7);
}
