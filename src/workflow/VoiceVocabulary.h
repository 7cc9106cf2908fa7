#pragma once
// The phrases a person is likely to say when looking for a catalog product,
// spelled the way the speech recogniser hears them.

#include "records/Reference.h"

#include <QStringList>

namespace vantrel {

// "36" becomes "thirty six"; numbers up to 999 are spelled out.
QString spokenNumber(int number);

// Product names and SKUs as spoken: finish codes become their words ("WS" is
// "white shaker"), digit runs become numbers ("36" is "thirty six"). A name
// is also said by its leading words, two or more ("lazy susan corner" of
// "Lazy Susan Corner Cabinet"). Also the finish and size words the catalog
// search understands on their own.
QStringList catalogPhrases(const QList<Product> &products);

} // namespace vantrel
