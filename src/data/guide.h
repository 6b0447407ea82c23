#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// One step of a troubleshooting guide. `kind` "q" is a Yes/No question, "do"
// an action step (its single next step is `yes`), any other kind ends the guide.
struct GuideNode
{
    QString nodeID;
    QString kind;
    QString text;
    QString detail;
    std::optional<QString> yes; // absent when the answer leads nowhere
    std::optional<QString> no;

    friend bool operator==(const GuideNode &, const GuideNode &) = default;
};

// One Yes/No troubleshooting guide. Identity: `id`.
struct Guide
{
    QString id;
    QString system;
    QString title;
    QString summary;
    QStringList safety;  // SafetyNote ids
    QStringList proWhen; // when to see a professional
    QStringList sources; // SourceRef ids
    QList<GuideNode> nodes; // in the guide's stored order

    // The first node; absent when the guide has none.
    std::optional<GuideNode> start() const
    {
        if (nodes.isEmpty())
            return std::nullopt;
        return nodes.front();
    }

    // The first node whose id equals `id` exactly; absent for an absent id.
    std::optional<GuideNode> node(const std::optional<QString> &id) const
    {
        if (!id)
            return std::nullopt;
        for (const GuideNode &n : nodes)
            if (n.nodeID == *id)
                return n;
        return std::nullopt;
    }

    friend bool operator==(const Guide &, const Guide &) = default;
};

// A safety warning that guides cite. Identity: `id`.
struct SafetyNote
{
    QString id;
    QString title;
    QString text;
    std::optional<QString> sourceID;
};

// A public source that guides and OBD-I sections cite. Identity: `id`.
struct SourceRef
{
    QString id;
    QString title;
    QString publisher;
    QString url;
};
