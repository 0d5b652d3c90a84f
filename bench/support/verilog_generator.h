// Generates large synthetic Verilog sources for the analysis benchmarks:
// modules with ports, declarations, assignments, always blocks and instances.
#pragma once

#include <cstddef>
#include <string>

namespace corvane::bench {

// One module of roughly 2.5 KB; module `index` instantiates module index-1.
inline std::string generatedModule(int index) {
    const std::string n = std::to_string(index);
    std::string m;
    m += "// generated block " + n + "\n";
    m += "module gen" + n + " #(parameter WIDTH = 8) (\n";
    m += "    input clk, // clock\n    input rst_n,\n    input [7:0] a,\n    input [7:0] b,\n";
    m += "    input sel,\n    output reg [7:0] q,\n    output [7:0] y,\n    output done\n);\n";
    m += "    wire [7:0] sum;\n    wire [7:0] diff;\n    wire carry;\n    reg [1:0] state, next_state;\n";
    m += "    reg [3:0] count;\n    integer i;\n";
    m += "    localparam IDLE = 2'b00, RUN = 2'b01, STOP = 2'b10;\n";
    m += "    assign sum = a + b;\n    assign diff = a - b;\n    assign carry = (a[7] & b[7]) | sel;\n";
    m += "    assign y = sel ? sum : diff;\n    assign done = (state == STOP) && (count == 4'd15);\n";
    m += "    /* registered output\n       with a block comment */\n";
    m += "    always @(posedge clk or negedge rst_n) begin\n";
    m += "        if (!rst_n) begin\n            q <= 8'd0;\n            count <= 4'd0;\n";
    m += "            state <= IDLE;\n        end else begin\n            q <= y ^ {4'b0, count};\n";
    m += "            count <= count + 1;\n            state <= next_state;\n        end\n    end\n";
    m += "    always @(*) begin\n        case (state)\n            IDLE: next_state = sel ? RUN : IDLE;\n";
    m += "            RUN: begin\n                if (count == 4'd15) next_state = STOP;\n";
    m += "                else next_state = RUN;\n            end\n";
    m += "            default: next_state = IDLE;\n        endcase\n    end\n";
    m += "    initial begin\n        count = 0;\n    end\n";
    if (index > 0) {
        const std::string p = std::to_string(index - 1);
        m += "    wire [7:0] child_q, child_y;\n    wire child_done;\n";
        m += "    gen" + p + " #(.WIDTH(8)) u_child (\n        .clk(clk),\n        .rst_n(rst_n),\n";
        m += "        .a(sum),\n        .b(diff[7:0]),\n        .sel(carry),\n        .q(child_q),\n";
        m += "        .y(child_y),\n        .done(child_done)\n    );\n";
        m += "    gen" + p + " u_second (clk, rst_n, a, b, sel, , , );\n";
    }
    m += "endmodule\n\n";
    return m;
}

// Modules from `firstIndex` on, until the text reaches `bytes`.
inline std::string generatedVerilog(std::size_t bytes, int firstIndex = 0) {
    std::string text;
    text.reserve(bytes + 4096);
    for (int i = firstIndex; text.size() < bytes; ++i) text += generatedModule(i);
    return text;
}

}  // namespace corvane::bench
