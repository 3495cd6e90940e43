#pragma once

// Selection network of the centre-weighted median built from sorted columns, so that
// each column of the window is sorted once and serves the five outputs that read it.
// Written by median_columns_generator.py; the 0-1 principle over all 2^21 binary windows
// (2^26 for the pair of rows below) proves it (tests/dispatch).
//
// For this window the 13th smallest of the 25 values (21 pixels, the centre counted five
// times) is max(s9, min(centre, s13)), s9 and s13 being the 9th and 13th smallest of the
// 21 pixels: the four extra copies of the centre lift the rank of everything above it.
// The network merges the sorted columns, dropping every comparison whose result cannot
// reach rank 9 or 13.
//
// Ops supplies lane-wise Min and Max for the value type V.

// r: one column of five rows, top first. three: rows 1..3 sorted ascending (the window's
// outer columns use only those); five: all five sorted ascending.
template <class Ops, class V>
inline void SortMedianColumn(const V* r, V* three, V* five) {
    const V t1 = Ops::Min(r[1], r[2]);
    const V t2 = Ops::Max(r[1], r[2]);
    const V t3 = Ops::Min(t1, r[3]);
    const V t4 = Ops::Max(t1, r[3]);
    const V t5 = Ops::Min(t2, t4);
    const V t6 = Ops::Max(t2, t4);
    const V t7 = Ops::Min(r[0], r[4]);
    const V t8 = Ops::Max(r[0], r[4]);
    const V t9 = Ops::Min(t3, t7);
    const V t10 = Ops::Max(t3, t7);
    const V t11 = Ops::Min(t6, t10);
    const V t12 = Ops::Max(t6, t10);
    const V t13 = Ops::Min(t5, t8);
    const V t14 = Ops::Max(t5, t8);
    const V t15 = Ops::Min(t13, t11);
    const V t16 = Ops::Max(t13, t11);
    const V t17 = Ops::Min(t14, t12);
    const V t18 = Ops::Max(t14, t12);
    three[0] = t3;
    three[1] = t5;
    three[2] = t6;
    five[0] = t9;
    five[1] = t15;
    five[2] = t16;
    five[3] = t17;
    five[4] = t18;
}

// The median at column x from the sorted columns: a, b, c the five-row columns x - 1, x,
// x + 1; d, e the three-row columns x - 2 and x + 2; centre the sample itself.
template <class Ops, class V>
inline V MedianOfSortedColumns(const V* a, const V* b, const V* c, const V* d, const V* e,
                               V centre) {
    const V t1 = Ops::Min(a[0], b[0]);
    const V t2 = Ops::Max(a[0], b[0]);
    const V t3 = Ops::Min(a[4], b[4]);
    const V t4 = Ops::Max(a[4], b[4]);
    const V t5 = Ops::Min(t3, t2);
    const V t6 = Ops::Max(t3, t2);
    const V t7 = Ops::Min(a[2], b[2]);
    const V t8 = Ops::Max(a[2], b[2]);
    const V t9 = Ops::Min(t7, t5);
    const V t10 = Ops::Max(t7, t5);
    const V t11 = Ops::Min(t8, t6);
    const V t12 = Ops::Max(t8, t6);
    const V t13 = Ops::Min(a[1], b[1]);
    const V t14 = Ops::Max(a[1], b[1]);
    const V t15 = Ops::Min(a[3], b[3]);
    const V t16 = Ops::Max(a[3], b[3]);
    const V t17 = Ops::Min(t15, t14);
    const V t18 = Ops::Max(t15, t14);
    const V t19 = Ops::Min(t13, t9);
    const V t20 = Ops::Max(t13, t9);
    const V t21 = Ops::Min(t17, t10);
    const V t22 = Ops::Max(t17, t10);
    const V t23 = Ops::Min(t18, t11);
    const V t24 = Ops::Max(t18, t11);
    const V t25 = Ops::Min(t16, t12);
    const V t26 = Ops::Max(t16, t12);
    const V t27 = Ops::Min(d[0], e[0]);
    const V t28 = Ops::Max(d[0], e[0]);
    const V t29 = Ops::Min(d[2], e[2]);
    const V t30 = Ops::Max(d[2], e[2]);
    const V t31 = Ops::Min(t29, t28);
    const V t32 = Ops::Max(t29, t28);
    const V t33 = Ops::Min(d[1], e[1]);
    const V t34 = Ops::Max(d[1], e[1]);
    const V t35 = Ops::Min(t33, t31);
    const V t36 = Ops::Max(t33, t31);
    const V t37 = Ops::Min(t34, t32);
    const V t38 = Ops::Max(t34, t32);
    const V t39 = Ops::Min(c[0], t27);
    const V t40 = Ops::Max(c[0], t27);
    const V t41 = Ops::Min(c[4], t38);
    const V t42 = Ops::Max(c[4], t38);
    const V t43 = Ops::Min(t41, t40);
    const V t44 = Ops::Max(t41, t40);
    const V t45 = Ops::Min(c[2], t36);
    const V t46 = Ops::Max(c[2], t36);
    const V t47 = Ops::Min(t45, t43);
    const V t48 = Ops::Max(t45, t43);
    const V t49 = Ops::Min(t46, t44);
    const V t50 = Ops::Max(t46, t44);
    const V t51 = Ops::Min(c[1], t35);
    const V t52 = Ops::Max(c[1], t35);
    const V t53 = Ops::Min(t30, t52);
    const V t54 = Ops::Max(t30, t52);
    const V t55 = Ops::Min(c[3], t37);
    const V t56 = Ops::Max(c[3], t37);
    const V t57 = Ops::Min(t55, t53);
    const V t58 = Ops::Max(t55, t53);
    const V t59 = Ops::Min(t56, t54);
    const V t60 = Ops::Max(t56, t54);
    const V t61 = Ops::Min(t51, t47);
    const V t62 = Ops::Max(t51, t47);
    const V t63 = Ops::Min(t57, t48);
    const V t64 = Ops::Max(t57, t48);
    const V t65 = Ops::Min(t58, t49);
    const V t66 = Ops::Max(t58, t49);
    const V t67 = Ops::Min(t59, t50);
    const V t68 = Ops::Max(t59, t50);
    const V t69 = Ops::Min(t60, t42);
    const V t70 = Ops::Max(t60, t42);
    const V t72 = Ops::Max(t1, t39);
    const V t73 = Ops::Min(t26, t68);
    const V t75 = Ops::Min(t73, t72);
    const V t76 = Ops::Max(t73, t72);
    const V t77 = Ops::Min(t22, t64);
    const V t78 = Ops::Max(t22, t64);
    const V t80 = Ops::Max(t77, t75);
    const V t81 = Ops::Min(t78, t76);
    const V t84 = Ops::Max(t20, t62);
    const V t85 = Ops::Min(t70, t84);
    const V t87 = Ops::Min(t24, t66);
    const V t89 = Ops::Min(t87, t85);
    const V t90 = Ops::Max(t87, t85);
    const V t96 = Ops::Max(t89, t80);
    const V t98 = Ops::Max(t90, t81);
    const V t104 = Ops::Max(t19, t61);
    const V t105 = Ops::Min(t4, t69);
    const V t107 = Ops::Min(t105, t104);
    const V t108 = Ops::Max(t105, t104);
    const V t109 = Ops::Min(t23, t65);
    const V t110 = Ops::Max(t23, t65);
    const V t112 = Ops::Max(t109, t107);
    const V t113 = Ops::Min(t110, t108);
    const V t116 = Ops::Max(t21, t63);
    const V t117 = Ops::Min(t25, t67);
    const V t119 = Ops::Min(t117, t116);
    const V t120 = Ops::Max(t117, t116);
    const V t123 = Ops::Min(t119, t112);
    const V t125 = Ops::Min(t120, t113);
    const V t136 = Ops::Max(t123, t96);
    const V t140 = Ops::Max(t125, t98);
    const V t149 = Ops::Min(centre, t140);
    const V t150 = Ops::Max(t136, t149);
    return t150;
}

// Pieces and network for two output rows at once: rows y and y + 1 share 16 of their 21
// pixels (columns x - 1 .. x + 1 of rows y - 1 .. y + 2, columns x - 2 and x + 2 of rows
// y and y + 1), which are merged once for both; each row then merges in its own five
// (three of a row beyond the shared ones, two of the row next to them at x - 2, x + 2).

// r: four values; four: them sorted ascending.
template <class Ops, class V>
inline void SortFour(const V* r, V* four) {
    const V t1 = Ops::Min(r[0], r[1]);
    const V t2 = Ops::Max(r[0], r[1]);
    const V t3 = Ops::Min(r[2], r[3]);
    const V t4 = Ops::Max(r[2], r[3]);
    const V t5 = Ops::Min(t1, t3);
    const V t6 = Ops::Max(t1, t3);
    const V t7 = Ops::Min(t2, t4);
    const V t8 = Ops::Max(t2, t4);
    const V t9 = Ops::Min(t7, t6);
    const V t10 = Ops::Max(t7, t6);
    four[0] = t5;
    four[1] = t9;
    four[2] = t10;
    four[3] = t8;
}

// r: three values; three: them sorted ascending.
template <class Ops, class V>
inline void SortThree(const V* r, V* three) {
    const V t1 = Ops::Min(r[0], r[1]);
    const V t2 = Ops::Max(r[0], r[1]);
    const V t3 = Ops::Min(t1, r[2]);
    const V t4 = Ops::Max(t1, r[2]);
    const V t5 = Ops::Min(t2, t4);
    const V t6 = Ops::Max(t2, t4);
    three[0] = t3;
    three[1] = t5;
    three[2] = t6;
}

// The medians at column x of rows y (upper) and y + 1 (lower). p, q, r: rows y - 1 .. y + 2
// of columns x - 1, x, x + 1, sorted; e, f: rows y and y + 1 of columns x - 2 and x + 2,
// sorted. a: row y - 2 of columns x - 1 .. x + 1, sorted; b: row y - 1 of columns x - 2
// and x + 2, sorted; c and d likewise for rows y + 3 and y + 2. The centres are the
// samples at (x, y) and (x, y + 1).
template <class Ops, class V>
inline void MedianPairOfSortedColumns(const V* p, const V* q, const V* r, const V* e,
                                      const V* f, const V* a, const V* b, V upperCentre,
                                      const V* c, const V* d, V lowerCentre, V& upper,
                                      V& lower) {
    const V t1 = Ops::Min(p[0], q[0]);
    const V t2 = Ops::Max(p[0], q[0]);
    const V t3 = Ops::Min(p[2], q[2]);
    const V t4 = Ops::Max(p[2], q[2]);
    const V t5 = Ops::Min(t3, t2);
    const V t6 = Ops::Max(t3, t2);
    const V t7 = Ops::Min(p[1], q[1]);
    const V t8 = Ops::Max(p[1], q[1]);
    const V t9 = Ops::Min(p[3], q[3]);
    const V t10 = Ops::Max(p[3], q[3]);
    const V t11 = Ops::Min(t9, t8);
    const V t12 = Ops::Max(t9, t8);
    const V t13 = Ops::Min(t7, t5);
    const V t14 = Ops::Max(t7, t5);
    const V t15 = Ops::Min(t11, t6);
    const V t16 = Ops::Max(t11, t6);
    const V t17 = Ops::Min(t12, t4);
    const V t18 = Ops::Max(t12, t4);
    const V t19 = Ops::Min(e[0], f[0]);
    const V t20 = Ops::Max(e[0], f[0]);
    const V t21 = Ops::Min(e[1], f[1]);
    const V t22 = Ops::Max(e[1], f[1]);
    const V t23 = Ops::Min(t21, t20);
    const V t24 = Ops::Max(t21, t20);
    const V t25 = Ops::Min(r[0], t19);
    const V t26 = Ops::Max(r[0], t19);
    const V t27 = Ops::Min(r[2], t24);
    const V t28 = Ops::Max(r[2], t24);
    const V t29 = Ops::Min(t27, t26);
    const V t30 = Ops::Max(t27, t26);
    const V t31 = Ops::Min(r[1], t23);
    const V t32 = Ops::Max(r[1], t23);
    const V t33 = Ops::Min(r[3], t22);
    const V t34 = Ops::Max(r[3], t22);
    const V t35 = Ops::Min(t33, t32);
    const V t36 = Ops::Max(t33, t32);
    const V t37 = Ops::Min(t31, t29);
    const V t38 = Ops::Max(t31, t29);
    const V t39 = Ops::Min(t35, t30);
    const V t40 = Ops::Max(t35, t30);
    const V t41 = Ops::Min(t36, t28);
    const V t42 = Ops::Max(t36, t28);
    const V t44 = Ops::Max(t1, t25);
    const V t45 = Ops::Min(t16, t40);
    const V t46 = Ops::Max(t16, t40);
    const V t47 = Ops::Min(t45, t44);
    const V t48 = Ops::Max(t45, t44);
    const V t49 = Ops::Min(t14, t38);
    const V t50 = Ops::Max(t14, t38);
    const V t51 = Ops::Min(t18, t42);
    const V t53 = Ops::Min(t51, t50);
    const V t54 = Ops::Max(t51, t50);
    const V t56 = Ops::Max(t49, t47);
    const V t57 = Ops::Min(t53, t48);
    const V t58 = Ops::Max(t53, t48);
    const V t59 = Ops::Min(t54, t46);
    const V t60 = Ops::Max(t54, t46);
    const V t62 = Ops::Max(t13, t37);
    const V t63 = Ops::Min(t17, t41);
    const V t64 = Ops::Max(t17, t41);
    const V t65 = Ops::Min(t63, t62);
    const V t66 = Ops::Max(t63, t62);
    const V t67 = Ops::Min(t15, t39);
    const V t68 = Ops::Max(t15, t39);
    const V t69 = Ops::Min(t10, t34);
    const V t71 = Ops::Min(t69, t68);
    const V t72 = Ops::Max(t69, t68);
    const V t73 = Ops::Min(t67, t65);
    const V t74 = Ops::Max(t67, t65);
    const V t75 = Ops::Min(t71, t66);
    const V t76 = Ops::Max(t71, t66);
    const V t77 = Ops::Min(t72, t64);
    const V t81 = Ops::Min(t73, t56);
    const V t82 = Ops::Max(t73, t56);
    const V t83 = Ops::Min(t74, t57);
    const V t84 = Ops::Max(t74, t57);
    const V t85 = Ops::Min(t75, t58);
    const V t86 = Ops::Max(t75, t58);
    const V t87 = Ops::Min(t76, t59);
    const V t88 = Ops::Max(t76, t59);
    const V t89 = Ops::Min(t77, t60);
    const V t90 = Ops::Max(t77, t60);
    const V t93 = Ops::Min(a[0], b[0]);
    const V t94 = Ops::Max(a[0], b[0]);
    const V t95 = Ops::Min(a[2], t94);
    const V t96 = Ops::Max(a[2], t94);
    const V t97 = Ops::Min(a[1], b[1]);
    const V t98 = Ops::Max(a[1], b[1]);
    const V t99 = Ops::Min(t97, t95);
    const V t100 = Ops::Max(t97, t95);
    const V t101 = Ops::Min(t98, t96);
    const V t102 = Ops::Max(t98, t96);
    const V t103 = Ops::Min(t86, t93);
    const V t104 = Ops::Max(t86, t93);
    const V t105 = Ops::Min(t82, t102);
    const V t106 = Ops::Max(t82, t102);
    const V t107 = Ops::Min(t90, t106);
    const V t110 = Ops::Max(t105, t103);
    const V t111 = Ops::Min(t107, t104);
    const V t113 = Ops::Min(t88, t100);
    const V t115 = Ops::Min(t84, t113);
    const V t116 = Ops::Max(t84, t113);
    const V t118 = Ops::Max(t115, t110);
    const V t120 = Ops::Max(t116, t111);
    const V t123 = Ops::Min(t87, t99);
    const V t124 = Ops::Max(t87, t99);
    const V t126 = Ops::Max(t83, t123);
    const V t128 = Ops::Max(t81, t101);
    const V t129 = Ops::Min(t89, t128);
    const V t131 = Ops::Min(t85, t129);
    const V t132 = Ops::Max(t85, t129);
    const V t135 = Ops::Min(t131, t126);
    const V t137 = Ops::Min(t132, t124);
    const V t144 = Ops::Max(t135, t118);
    const V t148 = Ops::Max(t137, t120);
    const V t153 = Ops::Min(upperCentre, t148);
    const V t154 = Ops::Max(t144, t153);
    const V t155 = Ops::Min(c[0], d[0]);
    const V t156 = Ops::Max(c[0], d[0]);
    const V t157 = Ops::Min(c[2], t156);
    const V t158 = Ops::Max(c[2], t156);
    const V t159 = Ops::Min(c[1], d[1]);
    const V t160 = Ops::Max(c[1], d[1]);
    const V t161 = Ops::Min(t159, t157);
    const V t162 = Ops::Max(t159, t157);
    const V t163 = Ops::Min(t160, t158);
    const V t164 = Ops::Max(t160, t158);
    const V t165 = Ops::Min(t86, t155);
    const V t166 = Ops::Max(t86, t155);
    const V t167 = Ops::Min(t82, t164);
    const V t168 = Ops::Max(t82, t164);
    const V t169 = Ops::Min(t90, t168);
    const V t172 = Ops::Max(t167, t165);
    const V t173 = Ops::Min(t169, t166);
    const V t175 = Ops::Min(t88, t162);
    const V t177 = Ops::Min(t84, t175);
    const V t178 = Ops::Max(t84, t175);
    const V t180 = Ops::Max(t177, t172);
    const V t182 = Ops::Max(t178, t173);
    const V t185 = Ops::Min(t87, t161);
    const V t186 = Ops::Max(t87, t161);
    const V t188 = Ops::Max(t83, t185);
    const V t190 = Ops::Max(t81, t163);
    const V t191 = Ops::Min(t89, t190);
    const V t193 = Ops::Min(t85, t191);
    const V t194 = Ops::Max(t85, t191);
    const V t197 = Ops::Min(t193, t188);
    const V t199 = Ops::Min(t194, t186);
    const V t206 = Ops::Max(t197, t180);
    const V t210 = Ops::Max(t199, t182);
    const V t215 = Ops::Min(lowerCentre, t210);
    const V t216 = Ops::Max(t206, t215);
    upper = t154;
    lower = t216;
}
