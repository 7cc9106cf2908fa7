#pragma once
// The workspace with all its parts, for code that uses more than one of them.

#include "CatalogPart.h"
#include "CheckoutModel.h"
#include "CheckoutPart.h"
#include "CustomersPart.h"
#include "HistoryPart.h"
#include "QuotePart.h"
