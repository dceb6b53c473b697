#include "console/line_parser.h"

#include "console/messages.h"
#include "console/text.h"

namespace kavu::console {

namespace {

bool endsTarget(char c) {
    return isBlank(c) || c == '&' || c == '|' || c == '<' || c == '>' || c == '\n';
}

// Drops the blanks and "@" signs a command may start with.
void dropCommandStart(std::string& text) {
    std::size_t start = 0;
    while (start < text.size() && (isBlank(text[start]) || text[start] == '@')) {
        ++start;
    }
    text.erase(0, start);
}

class LineParser {
public:
    LineParser(std::string_view line, const Messages& messages)
        : m_line(line)
        , m_messages(messages) {}

    ParsedLine run() {
        for (m_pos = 0; m_pos < m_line.size() && m_result.error.empty(); ++m_pos) {
            step(m_line[m_pos]);
        }
        if (m_result.error.empty()) {
            finish();
        }
        if (!m_result.error.empty()) {
            m_result.pipelines.clear();
        }
        return std::move(m_result);
    }

private:
    void step(char c) {
        if (c == '\r') {
            return;
        }
        if (c == '\n') {
            m_inQuote = false;
            endPipeline(Joiner::Always, "\n");
            return;
        }
        if (m_inQuote) {
            m_command.text += c;
            m_inQuote = c != '"';
            m_lastPlain = false;
            return;
        }
        switch (c) {
        case '"':
            m_inQuote = true;
            m_command.text += c;
            m_lastPlain = false;
            break;
        case '^':
            if (m_pos + 1 < m_line.size()) {
                m_command.text += m_line[++m_pos];
            }
            m_lastPlain = false;
            break;
        case '&':
            if (peek() == '&') {
                ++m_pos;
                endPipeline(Joiner::IfSuccess, "&&");
            } else {
                endPipeline(Joiner::Always, "&");
            }
            break;
        case '|':
            if (peek() == '|') {
                ++m_pos;
                endPipeline(Joiner::IfFailure, "||");
            } else {
                endPiped();
            }
            break;
        case '<':
        case '>':
            redirection(c);
            break;
        default:
            m_command.text += c;
            m_lastPlain = true;
            break;
        }
    }

    char peek() const { return m_pos + 1 < m_line.size() ? m_line[m_pos + 1] : '\0'; }

    // A digit written right before the operator, at the start of a word, names the handle.
    int takeHandleDigit(int fallback) {
        std::string& text = m_command.text;
        if (!m_lastPlain || text.empty() || !isDigit(text.back())) {
            return fallback;
        }
        if (text.size() >= 2 && !isBlank(text[text.size() - 2])) {
            return fallback;
        }
        const int fd = text.back() - '0';
        text.pop_back();
        return fd;
    }

    void redirection(char op) {
        Redirection r;
        r.fd = takeHandleDigit(op == '<' ? 0 : 1);
        r.kind = op == '<' ? RedirectionKind::Read : RedirectionKind::Write;
        if (op == '>' && peek() == '>') {
            ++m_pos;
            r.kind = RedirectionKind::Append;
        }
        if (peek() == '&' && m_pos + 2 < m_line.size() && isDigit(m_line[m_pos + 2])) {
            r.kind = RedirectionKind::Duplicate;
            r.target = std::string(1, m_line[m_pos + 2]);
            m_pos += 2;
            m_command.redirections.push_back(std::move(r));
            m_lastPlain = false;
            return;
        }
        ++m_pos;
        while (m_pos < m_line.size() && isBlank(m_line[m_pos])) {
            ++m_pos;
        }
        bool quoted = false;
        for (; m_pos < m_line.size(); ++m_pos) {
            const char c = m_line[m_pos];
            if (c == '\r') {
                continue;
            }
            if (quoted) {
                if (c == '"') {
                    quoted = false;
                } else {
                    r.target += c;
                }
            } else if (c == '"') {
                quoted = true;
            } else if (endsTarget(c)) {
                break;
            } else if (c == '^' && m_pos + 1 < m_line.size()) {
                r.target += m_line[++m_pos];
            } else {
                r.target += c;
            }
        }
        --m_pos; // the loop of run() steps onto the character that ended the name
        if (r.target.empty()) {
            m_result.error = std::string(m_messages.syntaxError);
            return;
        }
        m_command.redirections.push_back(std::move(r));
        m_lastPlain = false;
    }

    // Closes the command being read; false when it is empty.
    bool closeCommand() {
        dropCommandStart(m_command.text);
        m_lastPlain = false;
        if (m_command.text.empty() && m_command.redirections.empty()) {
            m_command = {};
            return false;
        }
        m_pipeline.commands.push_back(std::move(m_command));
        m_command = {};
        return true;
    }

    void endPiped() {
        if (!closeCommand()) {
            m_result.error = m_messages.unexpected("|");
            return;
        }
        m_pipeOpen = true;
    }

    void endPipeline(Joiner next, std::string_view op) {
        const bool had = closeCommand();
        if (!had && m_pipeOpen) {
            m_result.error = m_messages.unexpected("|");
            return;
        }
        if (m_pipeline.commands.empty()) {
            // "&& b", "a && && b" and "a && & b" leave an operator with nothing to tie to;
            // a lone "&" or an empty line is simply skipped.
            if (next != Joiner::Always || m_pipeline.joiner != Joiner::Always) {
                m_result.error = m_messages.unexpected(op);
                return;
            }
        } else {
            m_result.pipelines.push_back(std::move(m_pipeline));
        }
        m_pipeline = {};
        m_pipeline.joiner = next;
        m_pipeOpen = false;
    }

    void finish() {
        const bool had = closeCommand();
        if (!had && (m_pipeOpen || m_pipeline.joiner != Joiner::Always)) {
            m_result.error = std::string(m_messages.syntaxError);
            return;
        }
        if (!m_pipeline.commands.empty()) {
            m_result.pipelines.push_back(std::move(m_pipeline));
        }
    }

    std::string_view m_line;
    const Messages& m_messages;
    std::size_t m_pos = 0;
    bool m_inQuote = false;
    bool m_lastPlain = false;
    bool m_pipeOpen = false;
    Command m_command;
    Pipeline m_pipeline;
    ParsedLine m_result;
};

} // namespace

ParsedLine parseLine(std::string_view line, const Messages& messages) {
    return LineParser(line, messages).run();
}

} // namespace kavu::console
