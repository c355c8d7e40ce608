#include "report/ReportExpression.h"

#include "report/ReportExpressionContext.h"
#include "report/ReportValue.h"

#include <functional>

struct ReportExpression::Node {
    enum class Kind { Number, Text, Field, Name, Sum, Negate, Not, Binary };
    enum class Op {
        Add,
        Subtract,
        Multiply,
        Divide,
        Equal,
        NotEqual,
        Less,
        LessEqual,
        Greater,
        GreaterEqual,
        And,
        Or
    };

    Kind kind = Kind::Number;
    Op op = Op::Add;
    double number = 0;
    QString text;  // Text: the literal; Field: data set; Name: the name; Sum: the band
    QString field; // Field only
    std::shared_ptr<const Node> left, right;
};

namespace
{

using Node = ReportExpression::Node;
using NodePtr = std::shared_ptr<const Node>;

struct Token {
    enum class Type { End, Number, Text, Identifier, QuotedIdentifier, Symbol };
    Type type = Type::End;
    QString text;
    double number = 0;
    qsizetype position = 0;
};

class Parser
{
public:
    explicit Parser(const QString& text) : m_text(text) { advance(); }

    NodePtr parseAll()
    {
        NodePtr root = parseOr();
        if (root && m_token.type != Token::Type::End)
            fail(QStringLiteral("unexpected \"%1\"").arg(m_token.text));
        return m_error.isEmpty() ? root : nullptr;
    }

    const QString& error() const { return m_error; }

private:
    void fail(const QString& message)
    {
        if (m_error.isEmpty())
            m_error = QStringLiteral("%1 at position %2 of \"%3\"")
                          .arg(message)
                          .arg(m_token.position + 1)
                          .arg(m_text);
    }

    void advance()
    {
        qsizetype i = m_pos;
        while (i < m_text.size() && m_text.at(i).isSpace())
            ++i;
        m_token = Token{};
        m_token.position = i;
        if (i >= m_text.size()) {
            m_pos = i;
            return;
        }
        const QChar c = m_text.at(i);
        if (c.isDigit() ||
            (c == QLatin1Char('.') && i + 1 < m_text.size() && m_text.at(i + 1).isDigit())) {
            qsizetype j = i;
            while (j < m_text.size() &&
                   (m_text.at(j).isDigit() || m_text.at(j) == QLatin1Char('.')))
                ++j;
            m_token.type = Token::Type::Number;
            m_token.text = m_text.mid(i, j - i);
            bool ok = false;
            m_token.number = m_token.text.toDouble(&ok);
            if (!ok)
                fail(QStringLiteral("bad number \"%1\"").arg(m_token.text));
            m_pos = j;
            return;
        }
        if (c.isLetter() || c == QLatin1Char('_')) {
            qsizetype j = i;
            while (j < m_text.size() &&
                   (m_text.at(j).isLetterOrNumber() || m_text.at(j) == QLatin1Char('_')))
                ++j;
            m_token.type = Token::Type::Identifier;
            m_token.text = m_text.mid(i, j - i);
            m_pos = j;
            return;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            QString value;
            qsizetype j = i + 1;
            for (;;) {
                if (j >= m_text.size()) {
                    fail(QStringLiteral("unterminated quote"));
                    m_pos = j;
                    return;
                }
                if (m_text.at(j) == c) {
                    if (j + 1 < m_text.size() && m_text.at(j + 1) == c) {
                        value += c;
                        j += 2;
                        continue;
                    }
                    break;
                }
                value += m_text.at(j++);
            }
            m_token.type =
                c == QLatin1Char('\'') ? Token::Type::Text : Token::Type::QuotedIdentifier;
            m_token.text = value;
            m_pos = j + 1;
            return;
        }
        static const QStringList twoChar = {QStringLiteral("<>"), QStringLiteral("<="),
                                            QStringLiteral(">=")};
        const QString two = m_text.mid(i, 2);
        m_token.type = Token::Type::Symbol;
        if (twoChar.contains(two)) {
            m_token.text = two;
            m_pos = i + 2;
        } else {
            m_token.text = c;
            m_pos = i + 1;
            if (!QStringLiteral("+-*/(),.=<>").contains(c))
                fail(QStringLiteral("unexpected \"%1\"").arg(c));
        }
    }

    bool isSymbol(const char* symbol) const
    {
        return m_token.type == Token::Type::Symbol && m_token.text == QLatin1String(symbol);
    }

    bool isKeyword(const char* word) const
    {
        return m_token.type == Token::Type::Identifier &&
               m_token.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }

    bool expectSymbol(const char* symbol)
    {
        if (!isSymbol(symbol)) {
            fail(QStringLiteral("\"%1\" expected").arg(QLatin1String(symbol)));
            return false;
        }
        advance();
        return true;
    }

    static NodePtr binary(Node::Op op, NodePtr left, NodePtr right)
    {
        auto node = std::make_shared<Node>();
        node->kind = Node::Kind::Binary;
        node->op = op;
        node->left = std::move(left);
        node->right = std::move(right);
        return node;
    }

    NodePtr parseOr()
    {
        NodePtr left = parseAnd();
        while (left && isKeyword("or")) {
            advance();
            NodePtr right = parseAnd();
            if (!right)
                return nullptr;
            left = binary(Node::Op::Or, left, right);
        }
        return left;
    }

    NodePtr parseAnd()
    {
        NodePtr left = parseNot();
        while (left && isKeyword("and")) {
            advance();
            NodePtr right = parseNot();
            if (!right)
                return nullptr;
            left = binary(Node::Op::And, left, right);
        }
        return left;
    }

    NodePtr parseNot()
    {
        if (isKeyword("not")) {
            advance();
            NodePtr operand = parseNot();
            if (!operand)
                return nullptr;
            auto node = std::make_shared<Node>();
            node->kind = Node::Kind::Not;
            node->left = operand;
            return node;
        }
        return parseComparison();
    }

    NodePtr parseComparison()
    {
        NodePtr left = parseAdditive();
        if (!left)
            return nullptr;
        static const QList<std::pair<const char*, Node::Op>> ops = {
            {"=", Node::Op::Equal},   {"<>", Node::Op::NotEqual},
            {"<", Node::Op::Less},    {"<=", Node::Op::LessEqual},
            {">", Node::Op::Greater}, {">=", Node::Op::GreaterEqual}};
        for (const auto& [symbol, op] : ops) {
            if (isSymbol(symbol)) {
                advance();
                NodePtr right = parseAdditive();
                return right ? binary(op, left, right) : nullptr;
            }
        }
        return left;
    }

    NodePtr parseAdditive()
    {
        NodePtr left = parseMultiplicative();
        while (left && (isSymbol("+") || isSymbol("-"))) {
            const Node::Op op = isSymbol("+") ? Node::Op::Add : Node::Op::Subtract;
            advance();
            NodePtr right = parseMultiplicative();
            if (!right)
                return nullptr;
            left = binary(op, left, right);
        }
        return left;
    }

    NodePtr parseMultiplicative()
    {
        NodePtr left = parseUnary();
        while (left && (isSymbol("*") || isSymbol("/"))) {
            const Node::Op op = isSymbol("*") ? Node::Op::Multiply : Node::Op::Divide;
            advance();
            NodePtr right = parseUnary();
            if (!right)
                return nullptr;
            left = binary(op, left, right);
        }
        return left;
    }

    NodePtr parseUnary()
    {
        if (isSymbol("-") || isSymbol("+")) {
            const bool negate = isSymbol("-");
            advance();
            NodePtr operand = parseUnary();
            if (!operand || !negate)
                return operand;
            auto node = std::make_shared<Node>();
            node->kind = Node::Kind::Negate;
            node->left = operand;
            return node;
        }
        return parsePrimary();
    }

    NodePtr parsePrimary()
    {
        auto node = std::make_shared<Node>();
        switch (m_token.type) {
        case Token::Type::Number:
            node->kind = Node::Kind::Number;
            node->number = m_token.number;
            advance();
            return node;
        case Token::Type::Text:
            node->kind = Node::Kind::Text;
            node->text = m_token.text;
            advance();
            return node;
        case Token::Type::Identifier:
            return parseIdentifier();
        case Token::Type::Symbol:
            if (isSymbol("(")) {
                advance();
                NodePtr inner = parseOr();
                if (!inner || !expectSymbol(")"))
                    return nullptr;
                return inner;
            }
            break;
        default:
            break;
        }
        fail(m_token.type == Token::Type::End
                 ? QStringLiteral("unexpected end")
                 : QStringLiteral("unexpected \"%1\"").arg(m_token.text));
        return nullptr;
    }

    NodePtr parseIdentifier()
    {
        const QString name = m_token.text;
        advance();
        auto node = std::make_shared<Node>();
        if (isSymbol("(")) {
            if (name.compare(QLatin1String("sum"), Qt::CaseInsensitive) != 0) {
                fail(QStringLiteral("unknown function \"%1\"").arg(name));
                return nullptr;
            }
            advance();
            NodePtr argument = parseOr();
            if (!argument || !expectSymbol(","))
                return nullptr;
            if (m_token.type != Token::Type::Identifier) {
                fail(QStringLiteral("band name expected"));
                return nullptr;
            }
            node->kind = Node::Kind::Sum;
            node->text = m_token.text.toLower();
            node->left = argument;
            advance();
            if (!expectSymbol(")"))
                return nullptr;
            return node;
        }
        if (isSymbol(".")) {
            advance();
            if (m_token.type != Token::Type::Identifier &&
                m_token.type != Token::Type::QuotedIdentifier) {
                fail(QStringLiteral("field name expected"));
                return nullptr;
            }
            node->kind = Node::Kind::Field;
            node->text = name.toLower();
            node->field = m_token.text.toLower();
            advance();
            return node;
        }
        node->kind = Node::Kind::Name;
        node->text = name.toLower();
        return node;
    }

    const QString& m_text;
    qsizetype m_pos = 0;
    Token m_token;
    QString m_error;
};

bool truth(const QVariant& value)
{
    switch (reportValueKind(value)) {
    case ReportValueKind::Empty:
        return false;
    case ReportValueKind::Text:
        return !value.toString().isEmpty();
    case ReportValueKind::Number:
        return reportNumber(value) != 0.0;
    default:
        return true;
    }
}

QVariant compare(Node::Op op, const QVariant& left, const QVariant& right)
{
    int order = 0;
    if (reportValueKind(left) == ReportValueKind::Text &&
        reportValueKind(right) == ReportValueKind::Text) {
        order = QString::compare(left.toString(), right.toString());
    } else {
        const double a = reportNumber(left);
        const double b = reportNumber(right);
        order = a < b ? -1 : (a > b ? 1 : 0);
    }
    switch (op) {
    case Node::Op::Equal:
        return order == 0;
    case Node::Op::NotEqual:
        return order != 0;
    case Node::Op::Less:
        return order < 0;
    case Node::Op::LessEqual:
        return order <= 0;
    case Node::Op::Greater:
        return order > 0;
    default:
        return order >= 0;
    }
}

QVariant evaluateNode(const Node& node, const ReportExpressionContext& context)
{
    switch (node.kind) {
    case Node::Kind::Number:
        return node.number;
    case Node::Kind::Text:
        return node.text;
    case Node::Kind::Field:
        return context.field(node.text, node.field);
    case Node::Kind::Name:
        return context.name(node.text);
    case Node::Kind::Sum:
        return context.aggregate(&node);
    case Node::Kind::Negate:
        return -reportNumber(evaluateNode(*node.left, context));
    case Node::Kind::Not:
        return !truth(evaluateNode(*node.left, context));
    case Node::Kind::Binary:
        break;
    }
    if (node.op == Node::Op::And)
        return truth(evaluateNode(*node.left, context)) &&
               truth(evaluateNode(*node.right, context));
    if (node.op == Node::Op::Or)
        return truth(evaluateNode(*node.left, context)) ||
               truth(evaluateNode(*node.right, context));
    const QVariant left = evaluateNode(*node.left, context);
    const QVariant right = evaluateNode(*node.right, context);
    switch (node.op) {
    case Node::Op::Add:
        if (reportValueKind(left) == ReportValueKind::Text &&
            reportValueKind(right) == ReportValueKind::Text)
            return left.toString() + right.toString();
        return reportNumber(left) + reportNumber(right);
    case Node::Op::Subtract:
        return reportNumber(left) - reportNumber(right);
    case Node::Op::Multiply:
        return reportNumber(left) * reportNumber(right);
    case Node::Op::Divide: {
        const double divisor = reportNumber(right);
        if (divisor == 0.0)
            return {};
        return reportNumber(left) / divisor;
    }
    default:
        return compare(node.op, left, right);
    }
}

void visit(const NodePtr& node, const std::function<void(const NodePtr&)>& visitor)
{
    if (!node)
        return;
    visitor(node);
    visit(node->left, visitor);
    visit(node->right, visitor);
}

} // namespace

ReportExpression ReportExpression::parse(const QString& text, QString* error)
{
    Parser parser(text);
    NodePtr root = parser.parseAll();
    if (error)
        *error = parser.error();
    return ReportExpression(root);
}

QVariant ReportExpression::evaluate(const ReportExpressionContext& context) const
{
    return m_root ? evaluateNode(*m_root, context) : QVariant();
}

QList<ReportFieldRef> ReportExpression::fields() const
{
    QList<ReportFieldRef> out;
    visit(m_root, [&out](const NodePtr& node) {
        if (node->kind == Node::Kind::Field) {
            const ReportFieldRef ref{node->text, node->field};
            if (!out.contains(ref))
                out.append(ref);
        }
    });
    return out;
}

QStringList ReportExpression::names() const
{
    QStringList out;
    visit(m_root, [&out](const NodePtr& node) {
        if (node->kind == Node::Kind::Name && !out.contains(node->text))
            out.append(node->text);
    });
    return out;
}

QList<ReportAggregate> ReportExpression::aggregates() const
{
    QList<ReportAggregate> out;
    visit(m_root, [&out](const NodePtr& node) {
        if (node->kind == Node::Kind::Sum)
            out.append({node.get(), node->text, ReportExpression(node->left)});
    });
    return out;
}
