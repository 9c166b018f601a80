#include "import/ExportedPlays.h"

#include "history/PlayLogRecord.h"
#include "import/ImportFiles.h"
#include "platform/Format.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <limits>
#include <map>
#include <utility>

namespace {

constexpr std::string_view kCsvHeader = "\xEF\xBB\xBF"
                                        "ジャンル,タイトル,開始日時,プレイ時間(秒)";

// Titles in file order, found again by genre and title.
class Titles {
public:
    ExportedTitle& Of(const std::string& genre, const std::string& title)
    {
        auto [at, added] = m_index.try_emplace({genre, title}, m_titles.size());
        if (added)
            m_titles.push_back({genre, title, {}, {}});
        return m_titles[at->second];
    }
    std::vector<ExportedTitle> Take() { return std::move(m_titles); }

private:
    std::vector<ExportedTitle> m_titles;
    std::map<std::pair<std::string, std::string>, size_t> m_index;
};

// The fields of one CSV record (RFC 4180) from `at`, which it moves past the record's line
// end; false when a quoted field is not closed.
bool CsvRecord(std::string_view text, size_t& at, std::vector<std::string>& fields)
{
    fields.assign(1, std::string());
    bool quoted = false;
    while (at < text.size()) {
        char c = text[at++];
        if (quoted) {
            if (c != '"')
                fields.back() += c;
            else if (at < text.size() && text[at] == '"')
                fields.back() += text[at++];
            else
                quoted = false;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else if (c == '\n') {
            return true;
        } else if (c != '\r' || (at < text.size() && text[at] != '\n')) {
            fields.back() += c;
        }
    }
    return !quoted;
}

bool Seconds(std::string_view text, int& seconds) { return PlayLogRecord::ParseElapsed(text, seconds); }

std::optional<std::vector<ExportedTitle>> ParseCsv(std::string_view text, std::string& problem)
{
    Titles titles;
    size_t at = text.find('\n');
    at = at == std::string_view::npos ? text.size() : at + 1;
    std::vector<std::string> fields;
    for (int row = 2; at < text.size(); ++row) {
        if (!CsvRecord(text, at, fields)) {
            problem = Format("%d 行目の引用符 \" が閉じていません.", row);
            return std::nullopt;
        }
        if (fields.size() == 1 && fields[0].empty())
            continue;  // a blank line
        CPlayTime play;
        if (fields.size() != 4 || !ExportedPlays::ParseStart(fields[2], play) || !Seconds(fields[3], play.m_nElapsed)) {
            problem = Format("%d 行目は「ジャンル,タイトル,開始日時,プレイ時間(秒)」の行として読めません.", row);
            return std::nullopt;
        }
        titles.Of(fields[0], fields[1]).plays.push_back(play);
    }
    return titles.Take();
}

std::string Text(const QJsonValue& value) { return value.toString().toStdString(); }

bool JsonSeconds(const QJsonValue& value, int& seconds)
{
    double number = value.toDouble(std::nan(""));
    if (!value.isDouble() || std::trunc(number) != number || number < std::numeric_limits<int>::min() ||
        number > std::numeric_limits<int>::max())
        return false;
    seconds = static_cast<int>(number);
    return true;
}

std::optional<std::vector<ExportedTitle>> ParseJson(std::string_view text, std::string& problem)
{
    QJsonParseError error{};
    QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(text.data(), static_cast<qsizetype>(text.size())), &error);
    if (error.error != QJsonParseError::NoError) {
        problem = "JSON として読めません: " + error.errorString().toStdString();
        return std::nullopt;
    }
    QJsonValue genres = document.object().value(QStringLiteral("genres"));
    if (!document.isObject() || !genres.isArray()) {
        problem = "\"genres\" の一覧がありません.";
        return std::nullopt;
    }
    Titles titles;
    auto wrong = [&problem](const std::string& where) {
        problem = where + " が Zarn2 の書き出した形と違います.";
        return std::nullopt;
    };
    for (qsizetype g = 0; g < genres.toArray().size(); ++g) {
        QJsonObject genre = genres.toArray().at(g).toObject();
        QJsonValue list = genre.value(QStringLiteral("titles"));
        if (!genre.value(QStringLiteral("name")).isString() || !list.isArray())
            return wrong(Format("genres[%lld]", static_cast<long long>(g)));
        for (qsizetype t = 0; t < list.toArray().size(); ++t) {
            QJsonObject title = list.toArray().at(t).toObject();
            QJsonValue plays = title.value(QStringLiteral("plays"));
            std::string where = Format("genres[%lld].titles[%lld]", static_cast<long long>(g), static_cast<long long>(t));
            if (!title.value(QStringLiteral("name")).isString() || !plays.isArray())
                return wrong(where);
            ExportedTitle& entry = titles.Of(Text(genre.value(QStringLiteral("name"))),
                                             Text(title.value(QStringLiteral("name"))));
            entry.program = Text(title.value(QStringLiteral("path")));
            for (const QJsonValue& value : plays.toArray()) {
                QJsonObject object = value.toObject();
                CPlayTime play;
                if (!ExportedPlays::ParseStart(Text(object.value(QStringLiteral("start"))), play) ||
                    !JsonSeconds(object.value(QStringLiteral("seconds")), play.m_nElapsed))
                    return wrong(where + ".plays");
                entry.plays.push_back(play);
            }
        }
    }
    return titles.Take();
}

}  // namespace

namespace ExportedPlays {

bool ParseStart(std::string_view text, CPlayTime& play)
{
    // "YYYY-MM-DDThh:mm:ss" and an offset "+hh:mm", "-hh:mm" or "Z".
    if (text.size() < 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T')
        return false;
    std::string_view zone = text.substr(19);
    bool offset = zone.size() == 6 && (zone[0] == '+' || zone[0] == '-') && zone[3] == ':';
    if (zone != "Z" && !offset)
        return false;
    std::string start(text.substr(0, 19));
    start[4] = '/';
    start[7] = '/';
    start[10] = ',';
    for (char c : start.substr(0, 4) + start.substr(5, 2) + start.substr(8, 2) + start.substr(11, 2) +
                      start.substr(14, 2) + start.substr(17, 2)) {
        if (c < '0' || c > '9')
            return false;
    }
    return PlayLogRecord::ParseStart(start, play);
}

std::optional<std::vector<ExportedTitle>> Parse(std::string_view bytes, std::string& problem)
{
    if (bytes.starts_with(kCsvHeader) &&
        (bytes.size() == kCsvHeader.size() || bytes[kCsvHeader.size()] == '\r' || bytes[kCsvHeader.size()] == '\n'))
        return ParseCsv(bytes, problem);
    size_t first = bytes.find_first_not_of(" \t\r\n");
    if (first != std::string_view::npos && bytes[first] == '{')
        return ParseJson(bytes, problem);
    problem = "Zarn2 が書き出したプレイ記録 (CSV か JSON) ではありません.";
    return std::nullopt;
}

std::optional<std::vector<ExportedTitle>> Read(const std::string& path, std::string& problem)
{
    std::string bytes;
    if (int error = ImportFiles::Read(path, kMaxBytes, bytes)) {
        problem = "読めません: " + ImportFiles::ErrorText(error);
        return std::nullopt;
    }
    return Parse(bytes, problem);
}

}  // namespace ExportedPlays
