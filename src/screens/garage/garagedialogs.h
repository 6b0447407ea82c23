#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

// The modal questions of the garage screen, replaceable so tests can answer
// them: the removal confirmation and the export folder chooser.
struct GarageDialogs
{
    // True when the user answers `question` (which names the vehicle) with Remove.
    using Confirm = std::function<bool(QWidget *parent, const QString &question)>;
    // The chosen folder, or none when cancelled.
    using ChooseFolder = std::function<std::optional<QString>(QWidget *parent)>;

    static Confirm confirmRemove;
    static ChooseFolder chooseFolder;

    // An alert in the app's theme with "Remove" and "Cancel", Cancel the default.
    static bool askRemove(QWidget *parent, const QString &question);
    // The platform's folder chooser with "Export Here".
    static std::optional<QString> askFolder(QWidget *parent);
};
