#include "sync/JournalText.h"

#include "history/PlayLogRecord.h"
#include "library/NameRules.h"
#include "platform/Format.h"
#include "sync/MachineTable.h"

#include <charconv>
#include <map>
#include <memory>
#include <optional>

namespace {

using Journal::Entry;
using Journal::Kind;
using Journal::Ref;

std::string Escape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

std::optional<std::string> Unescape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case '\\': out += '\\'; break;
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: return std::nullopt;
        }
    }
    return out;
}

std::vector<std::string_view> SplitTabs(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t from = 0;
    for (;;) {
        size_t tab = line.find('\t', from);
        fields.push_back(line.substr(from, tab == std::string_view::npos ? std::string_view::npos : tab - from));
        if (tab == std::string_view::npos)
            return fields;
        from = tab + 1;
    }
}

template <class Int>
bool Number(std::string_view text, Int& value)
{
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool UsableName(NameRules::Kind kind, const std::string& name)
{
    return !NameRules::StoredNameProblem(kind, name).Refused();
}

// One line's fields, read in turn; any field that does not read fails the line.
class Fields {
public:
    Fields(std::vector<std::string_view> fields, size_t from, const std::map<int, int>& aliases)
        : m_fields(std::move(fields)), m_next(from), m_aliases(aliases)
    {
    }
    bool Done() const { return m_ok && m_next == m_fields.size(); }
    bool More() const { return m_ok && m_next < m_fields.size(); }

    std::string Text()
    {
        std::optional<std::string> text = m_next < m_fields.size() ? Unescape(m_fields[m_next++]) : std::nullopt;
        m_ok = m_ok && text.has_value();
        return text.value_or("");
    }
    std::string Name(NameRules::Kind kind)
    {
        std::string name = Text();
        m_ok = m_ok && UsableName(kind, name);
        return name;
    }
    std::string Path(const char* what)
    {
        std::string path = Text();
        m_ok = m_ok && !NameRules::StoredPathProblem(what, path).Refused();
        return path;
    }
    int Int()
    {
        int value = 0;
        m_ok = m_ok && m_next < m_fields.size() && Number(m_fields[m_next++], value);
        return value;
    }
    Ref Subject(bool title)
    {
        Ref ref;
        std::string text = Text();
        if (!m_ok)
            return ref;
        if (!text.empty() && text[0] == '=') {
            std::string name = text.substr(1);
            size_t slash = title ? name.find('/') : std::string::npos;
            ref.genre = title ? name.substr(0, slash) : name;
            ref.title = slash == std::string::npos ? std::string() : name.substr(slash + 1);
            m_ok = UsableName(NameRules::Kind::Group, ref.genre) &&
                   (!title || (slash != std::string::npos && UsableName(NameRules::Kind::Member, ref.title)));
            return ref;
        }
        size_t dot = text.find('.');
        int alias = 0;
        m_ok = dot != std::string::npos && Number(std::string_view(text).substr(0, dot), alias) &&
               Number(std::string_view(text).substr(dot + 1), ref.id.seq) && ref.id.seq > 0 &&
               m_aliases.count(alias) != 0;
        if (m_ok)
            ref.id.machine = m_aliases.at(alias);
        return ref;
    }
    Journal::Play Play()
    {
        Journal::Play play;
        std::string start = Text();
        CPlayTime time;
        m_ok = m_ok && PlayLogRecord::ParseStart(start, time);
        if (m_ok)
            play.start = Journal::Play::Start(time.m_nYear, time.m_nMonth, time.m_nDay, time.m_nHour, time.m_nMinute,
                                              time.m_nSecond);
        play.seconds = Int();
        m_ok = m_ok && play.seconds >= 0;
        return play;
    }

private:
    std::vector<std::string_view> m_fields;
    size_t m_next;
    const std::map<int, int>& m_aliases;
    bool m_ok = true;
};

bool GenreField(const std::string& field) { return field == "name" || field == "mode"; }
bool TitleField(const std::string& field)
{
    return field == "name" || field == "exe" || field == "icon" || field == "auto" || field == "media";
}

// The change's own fields after its kind; false when they do not read.
bool ReadChange(Entry& entry, Fields& f)
{
    switch (entry.kind) {
    case Kind::GenreAdd:
        entry.More().value = f.Name(NameRules::Kind::Group);
        entry.More().mode = f.Int();
        break;
    case Kind::GenreField:
    case Kind::TitleField: {
        bool title = entry.kind == Kind::TitleField;
        entry.subject = f.Subject(title);
        entry.More().field = f.Text();
        if (!(title ? TitleField(entry.More().field) : GenreField(entry.More().field)))
            return false;
        if (entry.More().field == "name")
            entry.More().value = f.Name(title ? NameRules::Kind::Member : NameRules::Kind::Group);
        else if (entry.More().field == "exe" || entry.More().field == "icon")
            entry.More().value = f.Path("パス");
        else
            entry.More().value = std::to_string(f.Int());
        break;
    }
    case Kind::GenreDelete:
        entry.subject = f.Subject(false);
        break;
    case Kind::GenreOrder:
    case Kind::TitleOrder: {
        bool titles = entry.kind == Kind::TitleOrder;
        if (titles)
            entry.subject = f.Subject(false);
        while (f.More())
            entry.More().order.push_back(f.Subject(titles));
        break;
    }
    case Kind::TitleAdd:
        entry.subject = f.Subject(false);
        entry.More().title.name = f.Name(NameRules::Kind::Member);
        entry.More().title.exe = f.Path("実行ファイルのパス");
        entry.More().title.icon = f.Path("アイコンファイルのパス");
        entry.More().title.autoTiming = f.Int();
        entry.More().title.useMedia = f.Int();
        break;
    case Kind::TitleMove:
        entry.subject = f.Subject(true);
        entry.More().target = f.Subject(false);
        break;
    case Kind::GenreSelect:
        if (f.More())
            entry.subject = f.Subject(false);
        break;
    case Kind::TitleSelect:
        entry.subject = f.Subject(false);
        if (f.More())
            entry.More().target = f.Subject(true);
        break;
    case Kind::TitleDelete:
    case Kind::PlaysClear:
        entry.subject = f.Subject(true);
        break;
    case Kind::PlayAdd:
    case Kind::PlaySeen:
    case Kind::PlayDelete:
    case Kind::PlayChange:
        entry.subject = f.Subject(true);
        entry.play = f.Play();
        if (entry.kind == Kind::PlayChange)
            entry.changed = f.Play();
        break;
    }
    return f.Done();
}

std::string RefText(const Ref& ref, bool title, const std::function<int(int)>& alias)
{
    if (ref.ById())
        return std::to_string(alias(ref.id.machine)) + "." + std::to_string(ref.id.seq);
    return Escape("=" + ref.genre + (title ? "/" + ref.title : std::string()));
}

std::string PlayText(const Journal::Play& play) { return play.StartText() + "\t" + std::to_string(play.seconds); }

}  // namespace

namespace JournalText {

Read Parse(std::string_view bytes, int self, MachineTable& machines)
{
    Read read;
    std::map<int, int>& aliases = read.aliases;
    aliases[0] = self;
    auto seen = std::make_shared<std::vector<int>>();
    size_t from = 0;
    bool first = true;
    while (from < bytes.size()) {
        size_t end = bytes.find('\n', from);
        if (end == std::string_view::npos) {
            read.cut = true;  // a line still being written, or cut short
            ++read.damaged;
            break;
        }
        std::string_view line = bytes.substr(from, end - from);
        from = end + 1;
        if (first) {
            first = false;
            read.journal = line == kHeader;
            if (read.journal)
                continue;
            if (line.starts_with(kFormatName))
                return read;  // a later format's: none of its lines is read
            // A header damaged by hand or by the disk: its lines are read all the same.
            read.journal = true;
        }
        std::vector<std::string_view> fields = SplitTabs(line);
        int alias = 0;
        int seq = 0;
        if (fields.size() == 3 && fields[0] == "M" && Number(fields[1], alias) && alias > 0 && !fields[2].empty()) {
            aliases[alias] = machines.Index(std::string(fields[2]));
            continue;
        }
        if (fields.size() == 3 && fields[0] == "S" && Number(fields[1], alias) && aliases.count(alias) != 0 &&
            Number(fields[2], seq)) {
            int machine = aliases[alias];
            auto next = std::make_shared<std::vector<int>>(*seen);
            if (next->size() <= static_cast<size_t>(machine))
                next->resize(static_cast<size_t>(machine) + 1, 0);
            (*next)[static_cast<size_t>(machine)] = std::max((*next)[static_cast<size_t>(machine)], seq);
            seen = next;
            continue;
        }
        Entry entry;
        entry.machine = self;
        if (fields.size() < 3 || !Number(fields[0], entry.seq) || entry.seq <= read.lastSeq ||
            !Number(fields[1], entry.stamp) || !Journal::KindOf(std::string(fields[2]), entry.kind)) {
            ++read.damaged;
            continue;
        }
        Fields rest(std::move(fields), 3, aliases);
        if (!ReadChange(entry, rest)) {
            ++read.damaged;
            continue;
        }
        entry.seen = seen;
        read.lastSeq = entry.seq;
        read.entries.push_back(std::move(entry));
    }
    read.seen = *seen;
    return read;
}

std::string MachineLine(int alias, const std::string& machineId)
{
    return "M\t" + std::to_string(alias) + "\t" + machineId + "\n";
}

std::string SeenLine(int alias, int seq) { return "S\t" + std::to_string(alias) + "\t" + std::to_string(seq) + "\n"; }

std::string EntryLine(const Journal::Entry& e, const std::function<int(int machine)>& alias)
{
    std::string line = std::to_string(e.seq) + "\t" + std::to_string(e.stamp) + "\t" + Journal::KindToken(e.kind);
    auto add = [&line](const std::string& field) { line += "\t" + field; };
    switch (e.kind) {
    case Kind::GenreAdd:
        add(Escape(e.More().value));
        add(std::to_string(e.More().mode));
        break;
    case Kind::GenreField:
    case Kind::TitleField:
        add(RefText(e.subject, e.kind == Kind::TitleField, alias));
        add(e.More().field);
        add(Escape(e.More().value));
        break;
    case Kind::GenreDelete:
        add(RefText(e.subject, false, alias));
        break;
    case Kind::GenreOrder:
    case Kind::TitleOrder:
        if (e.kind == Kind::TitleOrder)
            add(RefText(e.subject, false, alias));
        for (const Ref& ref : e.More().order)
            add(RefText(ref, e.kind == Kind::TitleOrder, alias));
        break;
    case Kind::TitleAdd:
        add(RefText(e.subject, false, alias));
        add(Escape(e.More().title.name));
        add(Escape(e.More().title.exe));
        add(Escape(e.More().title.icon));
        add(std::to_string(e.More().title.autoTiming));
        add(std::to_string(e.More().title.useMedia));
        break;
    case Kind::TitleMove:
        add(RefText(e.subject, true, alias));
        add(RefText(e.More().target, false, alias));
        break;
    case Kind::GenreSelect:
        if (e.subject.ById() || !e.subject.genre.empty())
            add(RefText(e.subject, false, alias));
        break;
    case Kind::TitleSelect:
        add(RefText(e.subject, false, alias));
        if (e.More().target.ById() || !e.More().target.title.empty())
            add(RefText(e.More().target, true, alias));
        break;
    case Kind::TitleDelete:
    case Kind::PlaysClear:
        add(RefText(e.subject, true, alias));
        break;
    case Kind::PlayAdd:
    case Kind::PlaySeen:
    case Kind::PlayDelete:
    case Kind::PlayChange:
        add(RefText(e.subject, true, alias));
        add(PlayText(e.play));
        if (e.kind == Kind::PlayChange)
            add(PlayText(e.changed));
        break;
    }
    return line + "\n";
}

}  // namespace JournalText
