#pragma once

// The "+" and "-" buttons beside a cylinder count, in the rev counter window and
// its set-up window. Engines come with 1 to 6, 8, 10 or 12 cylinders, so the
// odd counts above 6 are skipped. "+" stops at 12, "-" at 1; a count already
// outside that range only moves back towards it.
int NextCylinderCount(int count);
int PreviousCylinderCount(int count);
