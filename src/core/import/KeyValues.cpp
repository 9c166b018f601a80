#include "import/KeyValues.h"

#include "platform/Format.h"

#include <cctype>
#include <optional>

namespace {

// One token of the text: a string (quoted or bare), a brace, or the end.
struct Token {
    enum class Kind { String, Open, Close, End } kind = Kind::End;
    std::string text;
    bool quoted = false;
    int line = 1;
};

class Lexer {
public:
    explicit Lexer(std::string_view text) : m_text(text) {}

    // The next token; nullopt with `problem` set when the text is damaged.
    std::optional<Token> Next(std::string& problem)
    {
        SkipBlanksAndComments();
        Token token;
        token.line = m_line;
        if (m_at >= m_text.size())
            return token;
        char c = m_text[m_at];
        if (c == '{' || c == '}') {
            ++m_at;
            token.kind = c == '{' ? Token::Kind::Open : Token::Kind::Close;
            return token;
        }
        token.kind = Token::Kind::String;
        if (c == '"') {
            token.quoted = true;
            if (!Quoted(token.text)) {
                problem = Format("%d 行目の引用符 \" が閉じていません.", token.line);
                return std::nullopt;
            }
            return token;
        }
        while (m_at < m_text.size() && !IsBlank(m_text[m_at]) && m_text[m_at] != '{' && m_text[m_at] != '}' &&
               m_text[m_at] != '"')
            token.text += m_text[m_at++];
        return token;
    }

private:
    static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    void SkipBlanksAndComments()
    {
        while (m_at < m_text.size()) {
            char c = m_text[m_at];
            if (c == '\n')
                ++m_line;
            if (IsBlank(c)) {
                ++m_at;
            } else if (c == '/' && m_at + 1 < m_text.size() && m_text[m_at + 1] == '/') {
                while (m_at < m_text.size() && m_text[m_at] != '\n')
                    ++m_at;
            } else {
                break;
            }
        }
    }

    bool Quoted(std::string& out)
    {
        ++m_at;  // the opening quote
        while (m_at < m_text.size()) {
            char c = m_text[m_at++];
            if (c == '"')
                return true;
            if (c == '\n')
                ++m_line;
            if (c == '\\' && m_at < m_text.size()) {
                char escaped = m_text[m_at++];
                out += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
                continue;
            }
            out += c;
        }
        return false;
    }

    std::string_view m_text;
    size_t m_at = 0;
    int m_line = 1;
};

bool IsCondition(const Token& token)
{
    return token.kind == Token::Kind::String && !token.quoted && token.text.size() >= 2 && token.text.front() == '[' &&
           token.text.back() == ']';
}

class Parser {
public:
    explicit Parser(std::string_view text) : m_lexer(text) {}

    KeyValues::Parsed Run()
    {
        KeyValues::Parsed parsed;
        if (Advance())
            Block(parsed.roots, 0, false);
        parsed.problem = m_problem;
        if (!m_problem.empty())
            parsed.roots.clear();
        return parsed;
    }

private:
    bool Advance()
    {
        std::optional<Token> next = m_lexer.Next(m_problem);
        if (!next)
            return false;
        m_token = std::move(*next);
        return true;
    }

    bool Fail(std::string problem)
    {
        m_problem = std::move(problem);
        return false;
    }

    // The keys up to the closing brace (`inner`) or the end of the text.
    bool Block(std::vector<KeyValue>& keys, int depth, bool inner)
    {
        for (;;) {
            switch (m_token.kind) {
            case Token::Kind::End:
                return inner ? Fail(Format("%d 行目で終わっていて, 閉じる } がありません.", m_token.line)) : true;
            case Token::Kind::Close:
                if (!inner)
                    return Fail(Format("%d 行目の } に対応する { がありません.", m_token.line));
                return Advance();
            case Token::Kind::Open:
                return Fail(Format("%d 行目の { の前にキーがありません.", m_token.line));
            case Token::Kind::String:
                if (!Entry(keys, depth))
                    return false;
                break;
            }
        }
    }

    // A key and its value or block.
    bool Entry(std::vector<KeyValue>& keys, int depth)
    {
        KeyValue entry;
        entry.key = m_token.text;
        int line = m_token.line;
        if (!Advance())
            return false;
        if (IsCondition(m_token) && !Advance())
            return false;
        if (m_token.kind == Token::Kind::Open) {
            if (depth + 1 > KeyValues::kMaxDepth)
                return Fail(Format("%d 行目の入れ子が深すぎます.", line));
            entry.block = true;
            if (!Advance() || !Block(entry.children, depth + 1, true))
                return false;
        } else if (m_token.kind == Token::Kind::String) {
            entry.value = m_token.text;
            if (!Advance())
                return false;
            if (IsCondition(m_token) && !Advance())
                return false;
        } else {
            return Fail(Format("%d 行目のキー \"%s\" に値がありません.", line, entry.key.c_str()));
        }
        keys.push_back(std::move(entry));
        return true;
    }

    Lexer m_lexer;
    Token m_token;
    std::string m_problem;
};

}  // namespace

const KeyValue* KeyValue::Find(std::string_view name) const
{
    for (const KeyValue& child : children) {
        if (KeyValues::SameKey(child.key, name))
            return &child;
    }
    return nullptr;
}

std::string KeyValue::Get(std::string_view name) const
{
    const KeyValue* child = Find(name);
    return child && !child->block ? child->value : std::string();
}

namespace KeyValues {

Parsed Parse(std::string_view text)
{
    if (text.find('\0') != std::string_view::npos)
        return {{}, "NUL 文字が含まれています (テキストのファイルではありません)."};
    return Parser(text).Run();
}

bool SameKey(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace KeyValues
