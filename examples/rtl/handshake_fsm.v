// A request/acknowledge controller: a state register and a separate
// next-state block.
module handshake_fsm(clk, rst_n, start, ack, req, busy, done);
input  clk;     // system clock
input  rst_n;   // asynchronous reset, active low
input  start;   // begin one transfer
input  ack;     // acknowledge from the other side
output req;     // request to the other side
output busy;    // a transfer is running
output done;    // one-cycle pulse at the end of a transfer

localparam IDLE = 2'd0;
localparam REQUEST = 2'd1;
localparam WAIT_LOW = 2'd2;
localparam FINISH = 2'd3;

reg [1:0] state;
reg [1:0] next_state;

always @(posedge clk or negedge rst_n) begin
    if (!rst_n)
        state <= IDLE;
    else
        state <= next_state;
end

always @(state or start or ack) begin
    next_state = state;
    case (state)
        IDLE:     if (start) next_state = REQUEST;
        REQUEST:  if (ack) next_state = WAIT_LOW;
        WAIT_LOW: if (!ack) next_state = FINISH;
        FINISH:   next_state = IDLE;
        default:  next_state = IDLE;
    endcase
end

assign req = (state == REQUEST);
assign busy = (state != IDLE);
assign done = (state == FINISH);

endmodule
