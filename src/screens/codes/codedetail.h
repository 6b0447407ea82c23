#pragma once

#include "codedetailrules.h"

#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class AppModel;
struct OBDCode;
class GarageStore;
class QVBoxLayout;
class Vorel;

// The right-hand pane of the trouble-code screen: one code explained (header
// with tags and the seriousness dial, its note, four text blocks and where
// the texts come from); an unlisted well-formed code by what its characters
// mean; anything else a prompt for a 5-character code.
//
// Above the explanation sits the code's My Garage panel. This library leaves
// its slot empty: the garage screens install the panel's maker with
// setGarageRowMaker(), and the pane then puts the maker's widget in the slot
// (object name "garageRow") for listed and well-formed codes while My Garage
// is open, passing the code upper-cased. The panel follows the garage store
// itself; the pane makes it anew whenever it shows another code. A listed
// code after a listed code takes over the explanation's widgets (new texts,
// rows shown or hidden); anything else replaces the content at once. Either
// way it is laid out before the next frame.
class CodeDetail : public QWidget
{
    Q_OBJECT

public:
    using GarageRowMaker = std::function<QWidget *(GarageStore &garage, AppModel &model, const QString &code)>;
    // Replaces the maker for the rest of the process (an empty one: no panel).
    static void setGarageRowMaker(GarageRowMaker make);
    static const GarageRowMaker &garageRowMaker();

    explicit CodeDetail(AppModel &model, QWidget *parent = nullptr);
    ~CodeDetail() override;

    // Shows `code` as the caller has it (the look-up upper-cases and trims
    // it); nothing without reference data. Rebuilt only when something differs.
    void showCode(const Vorel *data, const QString &code);

    QString code() const { return m_code; }
    CodeDetailRules::Content content() const { return m_content; }
    // The garage panel's slot (hidden and empty until a maker fills it).
    QWidget *garageSlot() const { return m_garageSlot; }

private:
    struct Explained;
    struct Block;

    void clearGarage();
    void clearContent();
    QWidget *explanation(const OBDCode &info);
    void fill(const OBDCode &info);
    QWidget *structure(const QStringList &lines);
    QWidget *prompt();
    QWidget *block(Block &block, const QString &title);
    static void fillBlock(Block &block, const QString &text);

    AppModel &m_model;
    QVBoxLayout *m_box;
    QWidget *m_garageSlot;
    QList<QPointer<QWidget>> m_oldPanels; // hidden, deleted with the next change
    std::unique_ptr<Explained> m_explained;  // the explanation's widgets while it shows
    const Vorel *m_data = nullptr;
    QString m_code;
    bool m_built = false;
    bool m_garageOpen = false;
    CodeDetailRules::Content m_content = CodeDetailRules::Content::Prompt;
};
