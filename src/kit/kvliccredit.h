#pragma once

#include "kvlinklabel.h"

// The maker's credit link that closes every help page: "by Brackenfold
// (KVRN)", a middle dot and the maker's host name, opening the maker's site.
class KVLicCredit : public KVLinkLabel
{
    Q_OBJECT

public:
    explicit KVLicCredit(QWidget *parent = nullptr);

    static QString creditText();

private:
    void applyFont();
};
