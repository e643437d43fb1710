// The GBK conversions and the number helpers of the wire and of data files on any bytes.
#include <cstring>

#include "files/DataFileFields.h"
#include "logger/Gbk.h"
#include "logger/WireCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veldrin;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string utf8 = FromGbk(bytes);
    const std::string gbk = ToGbk(utf8);
    if (GbkLength(utf8) != gbk.size())
        __builtin_trap();
    for (std::size_t limit : {std::size_t{0}, std::size_t{1}, std::size_t{7}, std::size_t{36}, size}) {
        if (CutGbk(bytes, limit).size() > limit || GbkLength(CutUtf8ToGbkBytes(utf8, limit)) > limit)
            __builtin_trap();
    }
    ParseIntField(bytes);
    ParseDecimalField(bytes);
    if (size >= 7) {
        const LoggerDateTime time = DecodeDateTime(data);
        if (time.time)
            EncodeDateTime(*time.time);
        MakeLocalTime(data[0] * 10, data[1], data[2], data[3], data[4], data[5]);
    }
    if (size >= 4) {
        float value = 0;
        std::memcpy(&value, data, sizeof value);
        std::string field;
        AppendNumberField(field, value);
        FormatFixed2(value);
        DecodeRecordCount(data);
        DecodeTemperaturePair(data[0], data[1]);
        DecodeHumidityPair(data[2], data[3]);
    }
    return 0;
}
