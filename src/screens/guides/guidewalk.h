#pragma once

#include "data/guide.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// One walk through a guide, as a list of node ids (the start node first,
// the step on screen last): which node is current, how the step is
// labelled, the answers so far in one line, and the lists each answer,
// Back and Start over leave behind.
class GuideWalk final
{
public:
    GuideWalk() = delete;

    // The stored walk when its first id is a node of the guide (later ids
    // are taken as they are), else the start node alone ("" without nodes).
    static QStringList path(const Guide &g, const QStringList &stored);
    // The node of the last id, else the start node; none without nodes.
    static std::optional<GuideNode> current(const Guide &g, const QStringList &path);

    // "Most likely" on an end node, else "Step <number of ids>".
    static QString stepLabel(const GuideNode &node, const QStringList &path);
    // "Your answers: " and one "<step> → <answer>" per id but the last,
    // joined with "   ›   "; ids that name no node are left out.
    static QString answers(const Guide &g, const QStringList &path);
    // The text cut to 44 user-perceived characters and "…" when longer than 44.
    static QString shortStep(const QString &text);

    // The walk after an answer leading to `next`; none when there is no next node.
    static std::optional<QStringList> go(const QStringList &path, const std::optional<QString> &next);
    // The walk one answer back.
    static QStringList back(const QStringList &path);
    static bool canGoBack(const QStringList &path) { return path.size() >= 2; }

    enum class Answers { YesNo, Done, End };
    static Answers answerKind(const GuideNode &node);
};
