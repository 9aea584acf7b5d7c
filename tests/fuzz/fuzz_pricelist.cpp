// The price-list reader on any bytes: as a whole file, and as the head of a
// longer one (the reader then keeps whole records only).

#include "info/pricelist.h"
#include "shell/textfiles.h"
#include "tests/fuzz/fuzztarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const PriceList whole = PriceList::parse(bytes);
    (void)whole.problemSummary();
    if (whole.records.size() > PriceList::MaxRecords)
        __builtin_trap();
    const QString head = TextFiles::decode(TextFiles::wholeCharacters(bytes));
    const PriceList part = PriceList::parseText(head, PriceList::FileName, true);
    if (part.records.size() > PriceList::MaxRecords)
        __builtin_trap();
    return 0;
}
