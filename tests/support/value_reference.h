// The conversion of the user values (0 to 100) into the engine's strengths
// and clarity factor, written out from its formula independently of the
// plug-in, so that tests can compute what the plug-in, the tool and the
// engine must produce: 2 * (amount * 0.01f)^0.5 by the power function, and
// amount * -0.004 + 1.2, in double precision with the single-precision
// percentage factor widened, each result rounded to single precision.
// Amounts outside 0 to 100 are the caller's to avoid.
#pragma once

float ReferenceStrength(float amount);
float ReferenceClarity(float amount);
