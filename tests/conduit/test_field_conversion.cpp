#include "test_handheld_layout.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace handheldtest;

namespace {

class FieldConversion : public ::testing::Test {
protected:
    void SetUp() override { SetRecordDefaults(layout_, record_); }

    const HandheldFieldDescriptor& field(const std::string& name) const
    {
        for (const HandheldFieldDescriptor& descriptor : layout_.fields)
            if (descriptor.name == name)
                return descriptor;
        throw std::logic_error("no field " + name);
    }

    void store(const std::string& name, std::string text)
    {
        ASSERT_TRUE(ConvertField(ConversionMode::TextToRecord, record_, text, field(name)));
    }

    std::string literal(const std::string& name)
    {
        std::string text = "untouched";
        EXPECT_TRUE(ConvertField(ConversionMode::RecordToLiteral, record_, text, field(name)));
        return text;
    }

    std::vector<std::uint8_t> bytesOf(const std::string& name, std::size_t size) const
    {
        auto start = record_.begin() + field(name).offset - 2;
        return std::vector<std::uint8_t>(start, start + static_cast<long>(size));
    }

    HandheldLayout layout_ = everyTypeLayout();
    std::vector<std::uint8_t> record_;
};

}  // namespace

TEST_F(FieldConversion, SixteenBitIntegersReadUnsigned)
{
    store("code", "-1");
    EXPECT_EQ(bytesOf("code", 2), (std::vector<std::uint8_t>{0xFF, 0xFF}));
    EXPECT_EQ(literal("code"), "65535");
    store("code", "1234");
    EXPECT_EQ(bytesOf("code", 2), (std::vector<std::uint8_t>{0x04, 0xD2}));
    EXPECT_EQ(literal("code"), "1234");
}

TEST_F(FieldConversion, ThirtyTwoBitIntegersAreSignedBigEndian)
{
    store("count", "-70000");
    EXPECT_EQ(bytesOf("count", 4), (std::vector<std::uint8_t>{0xFF, 0xFE, 0xEE, 0x90}));
    EXPECT_EQ(literal("count"), "-70000");
    store("count", "  42 ");
    EXPECT_EQ(literal("count"), "42");
    store("count", "");
    EXPECT_EQ(literal("count"), "0") << "a NULL column reads as empty text";
}

TEST_F(FieldConversion, MoneyIsCentsCutTowardZero)
{
    store("fee", "12.349");
    EXPECT_EQ(bytesOf("fee", 4), (std::vector<std::uint8_t>{0x00, 0x00, 0x04, 0xD2}));
    EXPECT_EQ(literal("fee"), "12.34");
    store("fee", "12.34");
    EXPECT_EQ(literal("fee"), "12.34") << "no cent lost to binary fractions";
    store("fee", "7");
    EXPECT_EQ(literal("fee"), "7.00");
    store("fee", "0.10");
    EXPECT_EQ(literal("fee"), "0.10");
    store("fee", "-12.349");
    EXPECT_EQ(literal("fee"), "-12.34");
    store("fee", "-0.05");
    EXPECT_EQ(bytesOf("fee", 4), (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFB}));
    EXPECT_EQ(literal("fee"), "-0.05");
    store("fee", "1.5E2");
    EXPECT_EQ(literal("fee"), "150.00");
}

TEST_F(FieldConversion, DatesComeFromDesktopDateTimeText)
{
    store("born", "2026-12-07 00:00:00");
    EXPECT_EQ(bytesOf("born", 4), (std::vector<std::uint8_t>{0x07, 0xEA, 12, 7}));
    EXPECT_EQ(literal("born"), "#2026-12-7#");
}

TEST_F(FieldConversion, TimesTakeTheFourthToSixthNumbers)
{
    store("seen", "1899-12-30 09:05:03");
    EXPECT_EQ(bytesOf("seen", 3), (std::vector<std::uint8_t>{9, 5, 3}));
    EXPECT_EQ(literal("seen"), "#09:05:03#");
}

TEST_F(FieldConversion, DateTimesKeepAllSixParts)
{
    store("visit", "2026-12-07 14:30:59");
    EXPECT_EQ(bytesOf("visit", 7), (std::vector<std::uint8_t>{0x07, 0xEA, 12, 7, 14, 30, 59}));
    EXPECT_EQ(literal("visit"), "#2026-12-7 14:30:59#");
}

TEST_F(FieldConversion, TextsDoubleApostrophesAndAreCutAtTheirLength)
{
    store("name", "O'Brien");
    EXPECT_EQ(literal("name"), "'O''Brien'");
    store("name", "Constantinople");
    EXPECT_EQ(asText(bytesOf("name", 10)), "Constantin") << "cut, with no room for a terminator";
    EXPECT_EQ(literal("name"), "'Constantin'");
    store("name", "Ann");
    EXPECT_EQ(asText(bytesOf("name", 10)), std::string("Ann\0\0\0\0\0\0\0", 10)) << "the rest is cleared";
    EXPECT_EQ(literal("name"), "'Ann'");
}

TEST_F(FieldConversion, ATextOfNoLengthIsTheEmptyText)
{
    HandheldFieldDescriptor empty{"none", kFieldText, 0, 2};
    std::vector<std::uint8_t> noRecord;
    std::string text = "Ann";
    EXPECT_TRUE(ConvertField(ConversionMode::TextToRecord, noRecord, text, empty));
    EXPECT_TRUE(ConvertField(ConversionMode::Default, noRecord, text, empty));
    EXPECT_TRUE(ConvertField(ConversionMode::RecordToLiteral, noRecord, text, empty));
    EXPECT_EQ(text, "''");
    EXPECT_TRUE(noRecord.empty());
}

TEST_F(FieldConversion, FloatsAreStoredInTheDesktopsOwnOrder)
{
    store("ratio", "2.5");
    float ratio = 0;
    std::memcpy(&ratio, record_.data() + field("ratio").offset - 2, sizeof ratio);
    EXPECT_EQ(ratio, 2.5f);
    EXPECT_EQ(literal("ratio"), "2.500000");
    store("weight", "-1234.125");
    double weight = 0;
    std::memcpy(&weight, record_.data() + field("weight").offset - 2, sizeof weight);
    EXPECT_EQ(weight, -1234.125);
    EXPECT_EQ(literal("weight"), "-1234.125000");
}

TEST_F(FieldConversion, DefaultsOfEveryType)
{
    std::fill(record_.begin(), record_.end(), 0xAB);
    SetRecordDefaults(layout_, record_);
    ASSERT_EQ(record_.size(), 54u);
    EXPECT_EQ(literal("name"), "''");
    EXPECT_EQ(literal("code"), "0");
    EXPECT_EQ(literal("count"), "0");
    EXPECT_EQ(literal("ratio"), "0.000000");
    EXPECT_EQ(literal("weight"), "0.000000");
    EXPECT_EQ(literal("born"), "#1990-1-1#");
    EXPECT_EQ(literal("seen"), "#00:00:00#");
    EXPECT_EQ(literal("fee"), "0.00");
    EXPECT_EQ(literal("visit"), "#1990-1-1 00:00:00#");
    EXPECT_EQ(std::vector<std::uint8_t>(record_.begin(), record_.begin() + 6), std::vector<std::uint8_t>(6, 0));
}

TEST_F(FieldConversion, OtherTypesAreLeftAsTheyAre)
{
    record_[52] = 0x12;
    record_[53] = 0x34;
    std::string text = "kept";
    EXPECT_TRUE(ConvertField(ConversionMode::RecordToLiteral, record_, text, field("other")));
    EXPECT_EQ(text, "kept");
    text = "999";
    EXPECT_TRUE(ConvertField(ConversionMode::TextToRecord, record_, text, field("other")));
    EXPECT_TRUE(ConvertField(ConversionMode::Default, record_, text, field("other")));
    EXPECT_EQ(record_[52], 0x12);
    EXPECT_EQ(record_[53], 0x34);
}

TEST_F(FieldConversion, FieldsOutsideTheRecordAreNeverTouched)
{
    std::vector<std::uint8_t> before = record_;
    std::string text = "123";
    HandheldFieldDescriptor pastTheEnd{"late", kFieldDoubleWord, 4, 54};
    EXPECT_FALSE(ConvertField(ConversionMode::TextToRecord, record_, text, pastTheEnd));
    HandheldFieldDescriptor beforeTheStart{"early", kFieldWord, 2, 1};
    EXPECT_FALSE(ConvertField(ConversionMode::Default, record_, text, beforeTheStart));
    HandheldFieldDescriptor longText{"long", kFieldText, 50, 8};
    EXPECT_FALSE(ConvertField(ConversionMode::RecordToLiteral, record_, text, longText));
    EXPECT_EQ(text, "123");
    EXPECT_EQ(record_, before);
}

TEST(HandheldLayoutReading, ReadsRecordLengthAndDescriptors)
{
    HandheldLayout layout;
    std::string error;
    ASSERT_TRUE(ReadHandheldLayout(layoutBlock(kEveryTypeRecordLength, everyTypeFields()), layout, error)) << error;
    EXPECT_EQ(layout.recordLength, kEveryTypeRecordLength);
    EXPECT_EQ(layout.storedRecordSize(), 54u);
    ASSERT_EQ(layout.fields.size(), everyTypeFields().size());
    EXPECT_EQ(layout.fields[7].name, "fee");
    EXPECT_EQ(layout.fields[7].type, kFieldMoney);
    EXPECT_EQ(layout.fields[7].offset, 43);
    EXPECT_EQ(layout.fields[0].length, 10);
}

TEST(HandheldLayoutReading, BlocksThatDoNotFitAreRefused)
{
    HandheldLayout layout;
    std::string error;
    std::vector<std::uint8_t> good = layoutBlock(kEveryTypeRecordLength, everyTypeFields());

    EXPECT_FALSE(ReadHandheldLayout(std::vector<std::uint8_t>(good.begin(), good.begin() + 27), layout, error));
    std::vector<std::uint8_t> cut(good.begin(), good.end() - 1);
    EXPECT_FALSE(ReadHandheldLayout(cut, layout, error)) << "last descriptor cut short";
    EXPECT_NE(error.find("do not fit"), std::string::npos) << error;

    EXPECT_FALSE(ReadHandheldLayout(layoutBlock(7, {}), layout, error)) << "no room for the time stamp";
    EXPECT_FALSE(ReadHandheldLayout(layoutBlock(kEveryTypeRecordLength - 3, everyTypeFields()), layout, error))
        << "the date-time field ends past the record";
    EXPECT_NE(error.find("field visit"), std::string::npos) << error;
    EXPECT_FALSE(ReadHandheldLayout(layoutBlock(20, {{"t", kFieldText, 40, 8}}), layout, error));
    EXPECT_FALSE(ReadHandheldLayout(layoutBlock(20, {{"w", kFieldWord, 2, 0}}), layout, error));

    EXPECT_TRUE(ReadHandheldLayout(layoutBlock(20, {{"odd", 2, 500, 9000}}), layout, error))
        << "fields never converted are not checked";
}
