#pragma once
// The program's document: it holds nothing of its own. The catalogue and
// the settings live in the main frame.

#include "platform/afx/CDocument.h"

class CZorunDoc : public CDocument {};
