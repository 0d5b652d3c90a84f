// Chooses one of two data buses.
module bus_mux(sel, a, b, y);
input        sel;   // selects bus b when high
input  [7:0] a;     // first data bus
input  [7:0] b;     // second data bus
output [7:0] y;     // the chosen bus

/* The choice is a plain multiplexer. */
assign y = sel ? b : a;

endmodule
