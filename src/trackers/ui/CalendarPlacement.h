#pragma once

class QWidget;

// Where the trackers open their calendars: at a fixed distance from the
// window's left edge, next to the box or grid whose date is being chosen, in
// front of every other control. Distances are in twips.
namespace CalendarPlacement {

// Left edge at leftTwips from the calendar's parent, top gapTwips below the
// anchor's bottom edge.
void showBelow(QWidget* calendar, const QWidget* anchor, int leftTwips, int gapTwips);

// Left edge at leftTwips, centred vertically on the anchor.
void showCentredOn(QWidget* calendar, const QWidget* anchor, int leftTwips);

// Left edge just right of the anchor, top at the anchor's top, kept inside
// the parent.
void showBeside(QWidget* calendar, const QWidget* anchor, int anchorRight, int anchorTop);

} // namespace CalendarPlacement
