#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <memory>

class ReportExpressionContext;
struct ReportAggregate;

// A field of a data set as an expression names it: "krt.ITEMNO" or krt."Item No". Lower case.
struct ReportFieldRef {
    QString dataSet;
    QString field;
    bool operator==(const ReportFieldRef& other) const = default;
};

// A small expression over the current rows of a report's data sets: numbers, 'text',
// dataSet.FIELD, named values, + - * / with unary minus, comparisons (= <> < <= > >=),
// and/or/not, parentheses and SUM(expression, band). Empty values count as 0 in arithmetic;
// "+" joins two texts. Division by zero gives an empty value.
class ReportExpression
{
public:
    struct Node;

    ReportExpression() = default;
    static ReportExpression parse(const QString& text, QString* error);

    bool isNull() const { return !m_root; }
    QVariant evaluate(const ReportExpressionContext& context) const;

    QList<ReportFieldRef> fields() const;
    // Unqualified names used, lower case.
    QStringList names() const;
    QList<ReportAggregate> aggregates() const;

private:
    explicit ReportExpression(std::shared_ptr<const Node> root) : m_root(std::move(root)) {}
    std::shared_ptr<const Node> m_root;
};

// One SUM(argument, band) of an expression: the key identifies its running total.
struct ReportAggregate {
    const void* key = nullptr;
    QString band; // lower case
    ReportExpression argument;
};
