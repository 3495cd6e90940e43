; The cases of the GIMP batch test. The test defines photo (the photograph to
; load) and out-dir (where every picture goes), loads this file, then calls
; each case as a batch command of its own, so that a case that fails shows
; GIMP's message and the next one still runs. Each picture is saved with the
; colour of transparent pixels kept, so that it is exactly what GIMP holds.

(define (out-path name) (string-append out-dir "/" name ".png"))

(define (save-drawable image drawable name)
  (file-png-save2 RUN-NONINTERACTIVE image drawable (out-path name) (out-path name)
                  0 9 0 0 0 0 0 0 1))

(define (open-photo)
  (car (gimp-file-load RUN-NONINTERACTIVE photo photo)))

(define (layer-of image) (car (gimp-image-get-active-drawable image)))

; A refused run must leave the picture as it was: it is saved before the run
; under name-before and after it under name. GIMP's log shows why it was refused.
(define (refused-and-save image name highlight shadow clarity)
  (save-drawable image (layer-of image) (string-append name "-before"))
  (catch #f (plug-in-lumistra RUN-NONINTERACTIVE image (layer-of image) highlight shadow clarity))
  (save-drawable image (layer-of image) name))

; Saves the picture as loaded, runs the filter with the values given, saves the
; result under name.
(define (filter-and-save image name highlight shadow clarity)
  (plug-in-lumistra RUN-NONINTERACTIVE image (layer-of image) highlight shadow clarity)
  (save-drawable image (layer-of image) name))

(define (case-input)
  (let ((image (open-photo)))
    (save-drawable image (layer-of image) "input")))

(define (case-whole)
  (filter-and-save (open-photo) "whole" 70 40 60))

(define (case-rectangle)
  (let ((image (open-photo)))
    (gimp-image-select-rectangle image CHANNEL-OP-REPLACE 300 200 500 400)
    (filter-and-save image "rectangle" 20 80 30)))

; The selection's bounds go to the log, for the test to filter the same area.
(define (case-feathered)
  (let ((image (open-photo)))
    (gimp-image-select-rectangle image CHANNEL-OP-REPLACE 300 200 500 400)
    (gimp-selection-feather image 60)
    (let ((bounds (gimp-selection-bounds image)))
      (gimp-message (string-append "feathered-bounds "
                                   (number->string (cadr bounds)) " "
                                   (number->string (caddr bounds)) " "
                                   (number->string (cadddr bounds)) " "
                                   (number->string (car (cddddr bounds))))))
    (let* ((layer (layer-of image)) (mask (car (gimp-selection-save image))))
      (save-drawable image mask "feathered-mask")
      (plug-in-lumistra RUN-NONINTERACTIVE image layer 90 10 75)
      (save-drawable image layer "feathered"))))

; A layer with transparency: a feathered hole cut into it grades its alpha.
(define (case-rgba)
  (let* ((image (open-photo)) (layer (layer-of image)))
    (gimp-layer-add-alpha layer)
    (gimp-image-select-ellipse image CHANNEL-OP-REPLACE 400 250 400 300)
    (gimp-selection-feather image 80)
    (gimp-drawable-edit-clear layer)
    (gimp-selection-none image)
    (save-drawable image layer "rgba-input")
    (filter-and-save image "rgba" 35 65 85)))

(define (case-small-selection)
  (let ((image (open-photo)))
    (gimp-image-select-rectangle image CHANNEL-OP-REPLACE 100 100 200 300)
    (refused-and-save image "small-selection" 50 50 50)))

(define (case-greyscale)
  (let ((image (open-photo)))
    (gimp-image-convert-grayscale image)
    (refused-and-save image "greyscale" 50 50 50)))

(define (case-deep)
  (let ((image (open-photo)))
    (gimp-image-convert-precision image PRECISION-U16-GAMMA)
    (refused-and-save image "deep" 50 50 50)))

(define (case-value-too-large)
  (refused-and-save (open-photo) "value-too-large" 101 50 50))

(define (case-value-negative)
  (refused-and-save (open-photo) "value-negative" 50 -1 50))

; The second session: the values of the first session's last run.
(define (case-last-values)
  (let ((image (open-photo)))
    (plug-in-lumistra RUN-WITH-LAST-VALS image (layer-of image) 0 0 0)
    (save-drawable image (layer-of image) "last-values")))

; With GIMP's windows: the dialog opens on the photo shown in a display; the
; test's driver types into it and presses OK.
(define (case-interactive)
  (let* ((image (open-photo)) (layer (layer-of image)))
    (gimp-display-new image)
    (plug-in-lumistra RUN-INTERACTIVE image layer 0 0 0)
    (save-drawable image layer "interactive")))
