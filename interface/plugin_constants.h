// Numeric constants of the filter plug-in interface: selectors, filter cases,
// dialog options, image modes, result codes and the values the host and the
// plug-in exchange through FilterRecord fields.
#pragma once

#include "interface/plugin_types.h"

// ---- Entry-point selectors ---------------------------------------------------

constexpr int16_t filterSelectorAbout = 0;  // paramBlock is an AboutRecord
constexpr int16_t filterSelectorParameters = 1;
constexpr int16_t filterSelectorPrepare = 2;
constexpr int16_t filterSelectorStart = 3;
constexpr int16_t filterSelectorContinue = 4;
constexpr int16_t filterSelectorFinish = 5;

// Interface version, also the data of the version property (major << 16 | minor).
constexpr int16_t latestFilterVersion = 4;
constexpr int16_t latestFilterSubVersion = 0;

// ---- FilterRecord::filterCase (0 = not set by the host) ------------------------

constexpr int16_t filterCaseUnsupported = -1;
constexpr int16_t filterCaseFlatImageNoSelection = 1;
constexpr int16_t filterCaseFlatImageWithSelection = 2;
constexpr int16_t filterCaseFloatingSelection = 3;
constexpr int16_t filterCaseEditableTransparencyNoSelection = 4;
constexpr int16_t filterCaseEditableTransparencyWithSelection = 5;
constexpr int16_t filterCaseProtectedTransparencyNoSelection = 6;
constexpr int16_t filterCaseProtectedTransparencyWithSelection = 7;

// ---- PIDescriptorParameters::playInfo and ::recordInfo --------------------------

constexpr int16_t plugInDialogDontDisplay = 0;  // show the dialog only if data is missing
constexpr int16_t plugInDialogDisplay = 1;      // show it, filled from the descriptor
constexpr int16_t plugInDialogSilent = 2;       // never show it

constexpr int16_t plugInDialogOptional = 0;
constexpr int16_t plugInDialogRequired = 1;
constexpr int16_t plugInDialogNone = 2;

// ---- Image modes (FilterRecord::imageMode, PSPixelMap::imageMode) ----------------

constexpr int16_t plugInModeBitmap = 0;
constexpr int16_t plugInModeGrayScale = 1;
constexpr int16_t plugInModeIndexedColor = 2;
constexpr int16_t plugInModeRGBColor = 3;
constexpr int16_t plugInModeCMYKColor = 4;
constexpr int16_t plugInModeHSLColor = 5;
constexpr int16_t plugInModeHSBColor = 6;
constexpr int16_t plugInModeMultichannel = 7;
constexpr int16_t plugInModeDuotone = 8;
constexpr int16_t plugInModeLabColor = 9;
constexpr int16_t plugInModeGray16 = 10;
constexpr int16_t plugInModeRGB48 = 11;
constexpr int16_t plugInModeLab48 = 12;
constexpr int16_t plugInModeCMYK64 = 13;
constexpr int16_t plugInModeDeepMultichannel = 14;
constexpr int16_t plugInModeDuotone16 = 15;
constexpr int16_t plugInModeRGB96 = 16;
constexpr int16_t plugInModeGray32 = 17;

// ---- Result codes ------------------------------------------------------------------
// A positive result tells the host that the plug-in already reported the error.

constexpr OSErr noErr = 0;
constexpr OSErr userCanceledErr = -128;  // silent cancel
constexpr OSErr memFullErr = -108;
constexpr OSErr readErr = -19;
constexpr OSErr writErr = -20;
constexpr OSErr ioErr = -36;
constexpr OSErr paramErr = -50;
constexpr OSErr nilHandleErr = -109;
constexpr OSErr coercedParamErr = 2;  // a descriptor value was coerced
constexpr OSErr filterBadParameters = -30100;
constexpr OSErr filterBadMode = -30101;
constexpr OSErr errPlugInHostInsufficient = -30900;
constexpr OSErr errPlugInPropertyUndefined = -30901;
constexpr OSErr errReportString = -30904;  // the host shows *errorString
constexpr OSErr errHostVersionIncompatible = -30905;

// Basic-suite results (32-bit).
constexpr int32_t kSPNoError = 0;
constexpr int32_t kSPSuiteNotFoundError = static_cast<int32_t>(FourCC("S!Fd"));
constexpr int32_t kSPUnimplementedError = static_cast<int32_t>(FourCC("!IMP"));
constexpr int32_t kSPBadParameterError = static_cast<int32_t>(FourCC("Parm"));
constexpr int32_t kSPOutOfMemoryError = -108;

// ---- Properties reached through PropertyProcs ----------------------------------------

// Simple, settable: while non-zero the host's callbacks do not start the busy
// cursor. The host resets it to 0 at the start of every call into the plug-in.
constexpr PIType propWatchSuspension = FourCC("wtch");

// ---- Descriptor value types --------------------------------------------------------------

constexpr DescriptorTypeID typeFloat = FourCC("doub");  // double
constexpr DescriptorTypeID typeNull = FourCC("null");
constexpr DescriptorTypeID typeImageReference = FourCC("#ImR");

// ---- Values the plug-in puts into FilterRecord fields ----------------------------------

// inputPadding / outputPadding / maskPadding; 0..255 fill with that byte.
constexpr int16_t plugInWantsEdgeReplication = -1;
constexpr int16_t plugInDoesNotWantPadding = -2;
constexpr int16_t plugInWantsErrorOnBoundsException = -3;

// samplingSupport (set by the host).
constexpr int8_t hostDoesNotSupportSampling = 0;
constexpr int8_t hostSupportsIntegralSampling = 1;
constexpr int8_t hostSupportsFractionalSampling = 2;

// wantLayout: rows of columns of interleaved planes.
constexpr int16_t piLayoutTraditional = 0;

// PSPixelMask::maskDescription.
constexpr int32_t kSimplePSMask = 0;
constexpr int32_t kBlackMatPSMask = 1;
constexpr int32_t kGrayMatPSMask = 2;
constexpr int32_t kWhiteMatPSMask = 3;
constexpr int32_t kInvertPSMask = 4;

// ---- Table versions and routine counts --------------------------------------------------

constexpr int16_t kCurrentBufferProcsVersion = 2;
constexpr int16_t kCurrentBufferProcsCount = 8;
constexpr int16_t kCurrentHandleProcsVersion = 1;
constexpr int16_t kCurrentHandleProcsCount = 8;
constexpr int16_t kCurrentPropertyProcsVersion = 1;
constexpr int16_t kCurrentPropertyProcsCount = 2;
constexpr int16_t kCurrentResourceProcsVersion = 3;
constexpr int16_t kCurrentResourceProcsCount = 4;
constexpr int16_t kCurrentDescriptorParametersVersion = 0;
constexpr int16_t kCurrentReadDescriptorProcsVersion = 0;
constexpr int16_t kCurrentReadDescriptorProcsCount = 18;
constexpr int16_t kCurrentWriteDescriptorProcsVersion = 0;
constexpr int16_t kCurrentWriteDescriptorProcsCount = 16;
