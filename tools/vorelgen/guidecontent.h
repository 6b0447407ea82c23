#pragma once

#include <QJsonArray>
#include <QStringList>

// The guide content of the reference database (guides.json with the safety
// notes and sources it cites), checked before anything is written.
namespace GuideContent {

// Every problem of the guides, one text each, "<guide>/<step>: what" (empty
// when there are none). A guide needs an id of its own and at least one step;
// step ids are unique; a question ("q") has a Yes and a No that name two
// different steps of its guide, an action ("do") one next step and no No, an
// end ("end") neither, and says what to do; no other kind. Every step is
// reached from the first, and no walk from it comes back to a step it has
// passed, so every answer ends at an end. Cited safety notes and sources exist.
QStringList problems(const QJsonArray &guides, const QJsonArray &safety, const QJsonArray &sources);

} // namespace GuideContent
