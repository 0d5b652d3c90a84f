// An up-counter with synchronous clear and count enable.
module counter(clk, rst_n, clear, enable, count, wrap);
parameter WIDTH = 8;
input              clk;      // system clock
input              rst_n;    // asynchronous reset, active low
input              clear;    // synchronous clear
input              enable;   // count when high
output [7:0]       count;    // current count
output             wrap;     // high while the count is at its maximum

reg [7:0] count;

assign wrap = (count == 8'hff);

always @(posedge clk or negedge rst_n) begin
    if (!rst_n)
        count <= 8'h00;
    else if (clear)
        count <= 8'h00;
    else if (enable)
        count <= count + 8'h01;
end

endmodule
