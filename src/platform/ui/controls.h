#pragma once

// Every control kind of the toolkit, for forms that use many.
#include "platform/ui/application.h"
#include "platform/ui/button.h"
#include "platform/ui/check_box.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/date_edit.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/mask_edit.h"
#include "platform/ui/menu.h"
#include "platform/ui/page_control.h"
#include "platform/ui/simple_controls.h"
