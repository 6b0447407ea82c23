#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

// The modal questions of the garage screen, replaceable so tests can answer
// them: the removal confirmation and the export folder chooser.
struct GarageDialogs
{
    // True when the user confirms removing the vehicle titled `title`.
    using Confirm = std::function<bool(QWidget *parent, const QString &title)>;
    // The chosen folder, or none when cancelled.
    using ChooseFolder = std::function<std::optional<QString>(QWidget *parent)>;

    static Confirm confirmRemove;
    static ChooseFolder chooseFolder;

    // The platform's alert ("Remove" first and default, then "Cancel").
    static bool askRemove(QWidget *parent, const QString &title);
    // The platform's folder chooser with "Export Here".
    static std::optional<QString> askFolder(QWidget *parent);
};
