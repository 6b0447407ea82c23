#include "guidewalk.h"

#include "platform/text.h"

QStringList GuideWalk::path(const Guide &g, const QStringList &stored)
{
    if (!stored.isEmpty() && g.node(stored.front()))
        return stored;
    const std::optional<GuideNode> start = g.start();
    return {start ? start->nodeID : QString()};
}

std::optional<GuideNode> GuideWalk::current(const Guide &g, const QStringList &path)
{
    if (!path.isEmpty())
        if (auto n = g.node(path.back()))
            return n;
    return g.start();
}

QString GuideWalk::stepLabel(const GuideNode &node, const QStringList &path)
{
    if (node.kind == QStringLiteral("end"))
        return QStringLiteral("Most likely");
    return QStringLiteral("Step ") + QString::number(path.size());
}

QString GuideWalk::shortStep(const QString &text)
{
    return Text::clipped(text, 44);
}

QString GuideWalk::answers(const Guide &g, const QStringList &path)
{
    QStringList items;
    for (qsizetype i = 0; i + 1 < path.size(); ++i) {
        const std::optional<GuideNode> node = g.node(path[i]);
        if (!node)
            continue;
        const QString &next = path[i + 1];
        QString word;
        if (node->kind == QStringLiteral("q"))
            word = node->yes == next ? QStringLiteral("Yes") : QStringLiteral("No");
        else
            word = QStringLiteral("Done");
        items << shortStep(node->text) + QStringLiteral(" \u2192 ") + word;
    }
    return QStringLiteral("Your answers: ") + items.join(QStringLiteral("   \u203a   "));
}

std::optional<QStringList> GuideWalk::go(const QStringList &path, const std::optional<QString> &next)
{
    if (!next)
        return std::nullopt;
    return path + QStringList{*next};
}

QStringList GuideWalk::back(const QStringList &path)
{
    QStringList out = path;
    if (!out.isEmpty())
        out.removeLast();
    return out;
}

GuideWalk::Answers GuideWalk::answerKind(const GuideNode &node)
{
    if (node.kind == QStringLiteral("q"))
        return Answers::YesNo;
    if (node.kind == QStringLiteral("do"))
        return Answers::Done;
    return Answers::End;
}
