// PrintRecordset of 30,000 rows against formatting the same lines into one buffer with
// std::to_chars (the floor: no recordset, no encoding, no file).
#include "ApoyoImpresion.h"
#include "ApoyoLorimand.h"
#include "Recordset.h"
#include "TempDir.h"
#include "ViewFileFormat.h"
#include "ViewFileTextWidth.h"
#include "ViewerCommandLine.h"

#include <QDate>

#include <benchmark/benchmark.h>

#include <charconv>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 30000;
constexpr float kWidth = 8.5f;
constexpr float kHeight = 11.0f;

struct Patient {
    std::string name;
    int code;
    QDate born;
    double fee;
};

const std::vector<Patient>& patients()
{
    static const std::vector<Patient> rows = [] {
        std::vector<Patient> made;
        made.reserve(kRows);
        for (int i = 0; i < kRows; ++i)
            made.push_back({"Patient " + std::to_string(i) + ", Maria", i % 30000, QDate(1930, 1, 1).addDays(i % 25000),
                            12.5 + i % 100});
        return made;
    }();
    return rows;
}

Recordset patientRecordset()
{
    Recordset records({{QStringLiteral("Names"), jet::ColumnType::Text},
                       {QStringLiteral("PatientId"), jet::ColumnType::Integer16},
                       {QStringLiteral("DateOfBirth"), jet::ColumnType::Date},
                       {QStringLiteral("Fee"), jet::ColumnType::Double}});
    for (const Patient& patient : patients()) {
        records.AddNew();
        records.SetField(0, QString::fromStdString(patient.name));
        records.SetField(1, patient.code);
        records.SetField(2, patient.born);
        records.SetField(3, patient.fee);
        records.Update();
    }
    return records;
}

const QString kHeadings = QStringLiteral("Name,2;Id,1;Born,1;Fee,1;");
const QString kFields = QStringLiteral("Names,2;PatientId,1;DateOfBirth,1;Fee,1;");


// The same lines written straight into one buffer.
class Lines {
public:
    std::string text;

    void number(float inches)
    {
        char buffer[32];
        text.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, inches * 1440.0f,
                                          std::chars_format::general, 7).ptr);
        text += ',';
    }
    void integer(long long value, char after = ',')
    {
        char buffer[24];
        text.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
        text += after;
    }
    void place(int page, float x, float y, float w, float h)
    {
        integer(page);
        number(x);
        number(y);
        number(w);
        number(h);
    }
    // A text with variables is shrunk to its box, as the writer writes it.
    void textElement(int page, float x, float y, float w, float h, const char* variables, int horizontal,
                     int vertical, int size, bool bold, bool italic, std::string_view value)
    {
        place(page, x, y, w, h);
        text += variables;
        text += ",0,";
        integer(horizontal);
        integer(vertical);
        text += *variables != '\0' ? ",1,0,,Times New Roman," : ",,0,,Times New Roman,";
        integer(size);
        text += bold ? "1," : "0,";
        text += italic ? "1,," : "0,,";
        text += value;
        text += "\r\n";
    }
    void box(int page, float x, float y, float w, float h, float lineWidth)
    {
        place(page, x, y, w, h);
        text += "0,2,,,,,12895428,12895428,,,,,";
        number(lineWidth);
        text += "\r\n";
    }
};

std::string formatBaseline(const std::string& today, const std::string& now, std::size_t reserve)
{
    const std::pair<const char*, float> columns[] = {{"Name", 2.0f}, {"Id", 1.0f}, {"Born", 1.0f}, {"Fee", 1.0f}};
    Lines out;
    out.text.reserve(reserve);
    out.text += "LORIMAND10,8.5,11\r\n";
    const float bottom = kHeight - 1.0f;
    const float pageNumberX = 6.5f + ViewTextWidth(u"Page:", 10, false, true) + kColumnSeparation;
    float y = 0;
    int page = 0;
    bool newPage = true;
    for (const Patient& patient : patients()) {
        if (bottom < y + 0.15f)
            newPage = true;
        if (newPage) {
            if (page > 0)
                out.box(page, 0.5f, bottom + 0.5f, kWidth - 0.9f, 0.05f, 0.01f);
            ++page;
            y = 1.25f;
            out.textElement(page, 0.5f, 0.5f, 1.0f, 0.2f, "", 0, 0, 12, true, true, "Vantora");
            out.textElement(page, 0.5f, 0.7f, 1.0f, 0.2f, "", 0, 0, 12, true, true, "");
            out.textElement(page, 6.5f, 0.5f, 1.0f, 0.15f, "", 0, 0, 10, false, true, "Page:");
            const std::string number = " " + std::to_string(page) + " of #TotalPaginas";
            out.textElement(page, pageNumberX, 0.5f, 7.5f - pageNumberX, 0.15f, "1", 2, 0, 10, true, true, number);
            out.textElement(page, 6.5f, 0.65f, 1.0f, 0.15f, "", 0, 0, 10, false, true, "Date:");
            out.textElement(page, 6.5f, 0.65f, 1.0f, 0.15f, "", 2, 0, 10, true, true, today);
            out.textElement(page, 6.5f, 0.8f, 1.0f, 0.15f, "", 0, 0, 10, false, true, "Time:");
            out.textElement(page, 6.5f, 0.8f, 1.0f, 0.15f, "", 2, 0, 10, true, true, now);
            out.textElement(page, 0.5f, 0.5f, 7.0f, 0.2f, "", 1, 0, 14, true, true, "Patients (All)");
            float x = 0.6f;
            for (const auto& [caption, width] : columns) {
                out.box(page, x, y, width - 0.05f, 0.25f, 0.001f);
                out.textElement(page, x + 0.05f, y, width - 0.05f, 0.25f, "", 0, 1, 10, true, true, caption);
                x = x + width;
            }
            y = y + 0.2f;
            newPage = false;
        }
        char value[32];
        float x = 0.6f;
        out.textElement(page, x + 0.05f, y, 2.0f - 0.05f, 0.25f, "", 0, 1, 10, false, true, patient.name);
        x = x + 2.0f;
        out.textElement(page, x + 0.05f, y, 1.0f - 0.05f, 0.25f, "", 0, 1, 10, false, true,
                        std::string_view(value, std::to_chars(value, value + sizeof value, patient.code).ptr));
        x = x + 1.0f;
        char* end = value;
        for (int part : {patient.born.month(), patient.born.day(), patient.born.year() % 100}) {
            if (end != value)
                *end++ = '/';
            *end++ = char('0' + part / 10);
            *end++ = char('0' + part % 10);
        }
        out.textElement(page, x + 0.05f, y, 1.0f - 0.05f, 0.25f, "", 0, 1, 10, false, true,
                        std::string_view(value, end - value));
        x = x + 1.0f;
        out.textElement(page, x + 0.05f, y, 1.0f - 0.05f, 0.25f, "", 0, 1, 10, false, true,
                        std::string_view(value, std::to_chars(value, value + sizeof value, patient.fee,
                                                              std::chars_format::general, 15).ptr));
        y = y + 0.15f;
    }
    out.box(page, 0.5f, bottom + 0.5f, kWidth - 0.9f, 0.05f, 0.01f);
    return std::move(out.text);
}

void BM_ToCharsBaseline(benchmark::State& state)
{
    const std::string today = ReportDate(QDate::currentDate()).toStdString();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = formatBaseline(today, "12:00:00", bytes);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ToCharsBaseline)->Unit(benchmark::kMillisecond);

// The baseline is only a fair floor if it writes what PrintRecordset writes; the time of
// day on each page is the one difference allowed.
bool sameLinesApartFromTheTime(const std::string& written, const std::string& baseline)
{
    if (written.size() != baseline.size())
        return false;
    std::size_t start = 0;
    while (start < written.size()) {
        const std::size_t end = written.find("\r\n", start) + 2;
        const std::string_view line(written.data() + start, end - start);
        const std::string_view expected(baseline.data() + start, end - start);
        const bool timeLine = line.find(",1152,1440,216,,0,2,0,") != std::string_view::npos;
        if (timeLine ? line.substr(0, line.size() - 10) != expected.substr(0, expected.size() - 10) : line != expected)
            return false;
        start = end;
    }
    return true;
}

void BM_PrintRecordset(benchmark::State& state)
{
    Recordset records = patientRecordset();
    testsupport::TempDir folder;
    const QString path = QString::fromStdString(folder.file("PatientView.lrm"));
    const QString previousFolder = SetProgramFolder(QString::fromStdString(folder.path().string()));
    const ViewerLauncher previous = SetViewerLauncher([](const ViewerCommand&) { return true; });
    QString error;
    PrintRecordset(records, path, kWidth, kHeight, QString(), QStringLiteral("Patients (All)"), QString(), kHeadings,
                   kFields, error);
    if (!sameLinesApartFromTheTime(testsupport::readFile(path.toStdString()),
                                   formatBaseline(ReportDate(QDate::currentDate()).toStdString(), "12:00:00", 0)))
        state.SkipWithError("the baseline does not write the same lines");
    for (auto _ : state) {
        if (!PrintRecordset(records, path, kWidth, kHeight, QString(), QStringLiteral("Patients (All)"), QString(),
                            kHeadings, kFields, error))
            state.SkipWithError(error.toStdString().c_str());
    }
    SetViewerLauncher(previous);
    SetProgramFolder(previousFolder);
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_PrintRecordset)->Unit(benchmark::kMillisecond);

}  // namespace
