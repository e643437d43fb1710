#pragma once
// Draws one curve page onto any painter whose device has the layout's resolution: the screen
// page image, a printer page or a PDF page.
#include <QPainter>

#include "print/CurveDecimation.h"
#include "print/CurvePageLayout.h"
#include "print/PageDrawing.h"

namespace veldrin {

// Page `page` (1-based): the summary on page 1, three strips on every later page. `buffers`
// (sized for the screen's columnUnit) is overwritten.
void RenderCurvePage(QPainter& painter, CurvePageLayout layout, const PrintPageSource& source, int page,
                     CurveBuffers& buffers);

}  // namespace veldrin
