// The media pack writer (TMediaPackWriter of HyMediaPack): kept apart from the
// readers so that the build tool that makes the stock packs needs neither the
// raster engine nor the program's folders.
#include "foundation/HyMediaPack.h"

#include "framework/runtime/SysUtils.h"
#include "framework/runtime/ZLibStreams.h"

std::vector<uint8_t> ZlibBytes(const std::vector<uint8_t>& Bytes)
{
    TMemoryStream Source, Dest;
    if (!Bytes.empty()) Source.WriteBuffer(Bytes.data(), Integer(Bytes.size()));
    ZCompressStream(&Source, &Dest);
    const uint8_t* P = static_cast<const uint8_t*>(Dest.Memory());
    return std::vector<uint8_t>(P, P + Dest.Size());
}

Integer TMediaPackWriter::AddBlob(const std::vector<uint8_t>& Bytes)
{
    if (!Bytes.empty()) FDest->WriteBuffer(Bytes.data(), Integer(Bytes.size()));
    return Integer(Bytes.size());
}

Integer TMediaPackWriter::AddZBlob(const std::vector<uint8_t>& Bytes) { return AddBlob(ZlibBytes(Bytes)); }

void TMediaPackWriter::Finish(const TDataTable& Table, Cardinal CodePage, Integer TailBytes)
{
    const AnsiString Text = StringToAnsi(Table.ToString(true), CodePage);
    if (!Text.empty()) FDest->WriteBuffer(Text.data(), Integer(Text.size()));
    FDest->WriteValue<int32_t>(int32_t(Text.size()));
    for (Integer i = 0; i < TailBytes; ++i) FDest->WriteValue<uint8_t>(0);
}
