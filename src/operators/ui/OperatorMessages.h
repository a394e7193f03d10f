#pragma once
// How the operator windows report a refused or failed action.
#include "operators/OperatorStore.h"

class QWidget;

// The check's text under the caption of its kind, or the store's error.
void ReportOperatorCheck(QWidget* parent, TOperatorCheck check, const TOperatorStore& operators);
