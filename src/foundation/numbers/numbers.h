#pragma once
// Entry numbers: everything in one include.

#include "foundation/numbers/divide_oper_char_rules.h"
#include "foundation/numbers/entry_checks.h"
#include "foundation/numbers/format_settings.h"
#include "foundation/numbers/number_conversion.h"
#include "foundation/numbers/number_format.h"
#include "foundation/numbers/number_texts.h"
#include "foundation/numbers/rounding.h"
#include "foundation/numbers/system_language_query.h"
